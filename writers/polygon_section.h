#pragma once

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/model_limits.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes polygon_array: each polygon's plan split into matrix groups of
// primitives made of vertex commands. Adds to the model totals, then runs
// the limit checks and the zero-normal check.
void WritePolygonSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, VertexStyle style,
                         ModelTotals& totals, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
