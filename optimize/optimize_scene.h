#pragma once

#include "core/export_scene.h"

namespace korvo {

// Rewrites the extracted scene for the platform before the writers run.
void OptimizeScene(ExportScene& scene);

}  // namespace korvo
