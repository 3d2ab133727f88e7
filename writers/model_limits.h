#pragma once

#include "core/diagnostics.h"
#include "writers/model_state.h"

namespace korvo {

// Warns when the model exceeds what the hardware draws: 6144 vertices, and
// a budget shared by triangles and quads.
void CheckModelLimits(const ModelTotals& totals, Diagnostics& diagnostics);

}  // namespace korvo
