#include "optimize/material_compression.h"

namespace korvo {

void CompressMaterials(ExportScene& scene, const ExportOptions& options, Diagnostics& /*diagnostics*/) {
    scene.material_count_before_compression = static_cast<int32_t>(scene.materials.size());
    // Folding equal materials is not available yet (the run's log says so);
    // the model file records the compression asked for.
    scene.materials_compressed = options.compress_material;
}

// Not implemented yet: every texture is kept.
void RemoveUnusedTextures(ExportScene&) {}

}  // namespace korvo
