#include "optimize/material_compression.h"

namespace korvo {

void CompressMaterials(ExportScene& scene) {
    scene.material_count_before_compression = static_cast<int32_t>(scene.materials.size());
    // Folding equal materials is not available yet (the run's log says so).
}

// Not implemented yet: every texture is kept.
void RemoveUnusedTextures(ExportScene&) {}

}  // namespace korvo
