#pragma once

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes node_array: every node with its place in the hierarchy, its
// transform and, for nodes that draw polygons, their counts (vertices as
// the polygons' plans draw them), volume and one display line per polygon.
void WriteNodeSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, Diagnostics& diagnostics,
                      Progress& progress);

}  // namespace korvo
