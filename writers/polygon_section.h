#pragma once

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_state.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes polygon_array: each polygon's plan (state.plans) split into
// matrix groups of primitives made of vertex commands. Adds to the model
// totals, then runs the limit checks and the zero-normal check.
void WritePolygonSection(TextWriter& out, ExportScene& scene, ModelState& state, VertexStyle style,
                         Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
