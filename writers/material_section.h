#pragma once

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes material_array (nothing without materials), each material with
// the texture image and palette the layout gave it.
void WriteMaterialSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout,
                          Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
