#include "optimize/material_compression.h"

#include "core/log.h"

namespace korvo {

void CompressMaterials(ExportScene& scene) {
    scene.material_count_before_compression = static_cast<int32_t>(scene.materials.size());
    if (scene.compress_material) {
        // Merging materials is not available yet: say so rather than write a
        // model file that claims it.
        AddMessage(scene, "Warning: Material compression is not available yet; the materials are exported as they are.");
        scene.compress_material = 0;
    }
}

// Not implemented yet: every texture is kept.
void RemoveUnusedTextures(ExportScene&) {}

}  // namespace korvo
