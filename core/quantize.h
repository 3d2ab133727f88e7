#pragma once
// Rounding to a multiple of 1/4096, the fixed-point step of the hardware:
// add half a step away from zero (zero itself rounds as a negative value),
// then truncate toward zero. Computed in double precision.

#include <cmath>

namespace korvo {

inline float Quantize4096(double x) {
    const double scaled = x > 0.0 ? x * 4096.0 + 0.5 : x * 4096.0 - 0.5;
    // Adding 0.0 turns a truncated -0.0 into 0.0, as an integer truncation
    // would, so that zero prints as "0.000000".
    return static_cast<float>((std::trunc(scaled) + 0.0) / 4096.0);
}

}  // namespace korvo
