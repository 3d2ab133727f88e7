#pragma once

#include <cstdint>

#include "core/diagnostics.h"

namespace korvo {

// What the model file's polygons add up to.
struct ModelTotals {
    int32_t vertices = 0;
    int32_t triangles = 0;
    int32_t quads = 0;
};

// Warns when the model exceeds what the hardware draws: 6144 vertices, and
// a budget shared by triangles and quads.
void CheckModelLimits(const ModelTotals& totals, Diagnostics& diagnostics);

}  // namespace korvo
