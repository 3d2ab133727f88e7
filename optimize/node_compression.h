#pragma once

#include "core/export_scene.h"

namespace korvo {

// Culls, merges or unites nodes as the scene's compress_node asks.
void CompressNodes(ExportScene& scene);

}  // namespace korvo
