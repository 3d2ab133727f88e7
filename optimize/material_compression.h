#pragma once

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"

namespace korvo {

// Drops unused and duplicate materials and rebuilds the polygons' material references.
void CompressMaterials(ExportScene& scene, const ExportOptions& options, Diagnostics& diagnostics);

// Drops the textures that no remaining material uses.
void RemoveUnusedTextures(ExportScene& scene);

}  // namespace korvo
