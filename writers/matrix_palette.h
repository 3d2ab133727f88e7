#pragma once
// The model's matrix palette: one matrix per rigid mesh node and per
// distinct skin weight set, and the envelope and matrix_array sections.

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// Lays out the envelopes and matrices, and every drawn polygon's matrix
// list and the matrix of each of its positions.
void LayOutMatrixPalette(const ExportScene& scene, ModelLayout& layout, Progress& progress);

// With force_full_weight every vertex hangs on one matrix: no envelope is written.
void WriteEnvelopeSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, bool force_full_weight,
                          Progress& progress);
void WriteMatrixSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, Diagnostics& diagnostics,
                        Progress& progress);

}  // namespace korvo
