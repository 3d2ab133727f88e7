#pragma once

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"

namespace korvo {

// Brings the node hierarchy into the shape the writers expect: a common
// "world_root" parent when there are several top-level nodes, blended skin
// vertices in model space, and every mesh node's bounding volume. Records
// the node count before compression.
void CompressNodes(ExportScene& scene, const ExportOptions& options, Diagnostics& diagnostics, Progress& progress);

// The id of the world root that groups several top-level nodes.
inline constexpr int32_t kWorldRootId = -1000;

}  // namespace korvo
