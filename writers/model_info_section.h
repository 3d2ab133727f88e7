#pragma once
// The model's settings at the top of the body and its totals at the end.

#include "core/export_options.h"
#include "core/export_scene.h"
#include "writers/model_limits.h"
#include "writers/text_writer.h"

namespace korvo {

void WriteModelInfo(TextWriter& out, const ExportScene& scene, const ExportOptions& options);
void WriteOutputInfo(TextWriter& out, const ModelTotals& totals);

}  // namespace korvo
