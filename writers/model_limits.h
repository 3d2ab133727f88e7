#pragma once

#include "core/export_scene.h"
#include "writers/model_state.h"

namespace korvo {

// Warns when the model exceeds what the hardware draws: 6144 vertices, and
// a budget shared by triangles and quads.
void CheckModelLimits(ExportScene& scene, const ModelTotals& totals);

}  // namespace korvo
