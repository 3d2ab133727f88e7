#pragma once

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes material_array (nothing without materials) and resolves every
// material's texture to its tex_image index, kept in tex_image_idx.
void WriteMaterialSection(TextWriter& out, ExportScene& scene, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
