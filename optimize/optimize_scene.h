#pragma once

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"

namespace korvo {

// Rewrites the extracted scene for the platform before the writers run.
void OptimizeScene(ExportScene& scene, const ExportOptions& options, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo
