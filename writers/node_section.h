#pragma once

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes node_array: every node with its place in the hierarchy, its
// transform and, for nodes that draw polygons, their counts, volume and
// one display line per polygon. Runs after the polygon section, whose
// matrix groups the vertex counts see.
void WriteNodeSection(TextWriter& out, const ExportScene& scene, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
