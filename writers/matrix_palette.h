#pragma once
// The model's matrix palette: one matrix per rigid mesh node and per
// distinct skin weight set, and the envelope and matrix_array sections.

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_state.h"
#include "writers/text_writer.h"

namespace korvo {

// Builds the envelopes and matrices and every polygon's matrix list
// (ExportPolygon::envelopes).
void BuildSkinVertexLists(ExportScene& scene, ModelState& state, Progress& progress);

// The matrix (position in state.matrices) that draws a position of a
// polygon; -1 when none does.
int32_t MatrixIndexOfVertex(const ExportScene& scene, const ModelState& state, const ExportPolygon& polygon,
                            int32_t position);

// With force_full_weight every vertex hangs on one matrix: no envelope is written.
void WriteEnvelopeSection(TextWriter& out, const ExportScene& scene, const ModelState& state, bool force_full_weight,
                          Progress& progress);
void WriteMatrixSection(TextWriter& out, const ExportScene& scene, const ModelState& state, Diagnostics& diagnostics,
                        Progress& progress);

}  // namespace korvo
