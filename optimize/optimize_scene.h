#pragma once

#include "core/export_options.h"
#include "core/export_scene.h"

namespace korvo {

// Rewrites the extracted scene for the platform before the writers run.
void OptimizeScene(ExportScene& scene, const ExportOptions& options);

}  // namespace korvo
