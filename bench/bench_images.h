#pragma once
// Photographs for the benchmarks, scaled to the sizes they need.

#include <cstdint>
#include <string>
#include <vector>

#include "host/memory/memory_bitmap_manager.h"

namespace korvo::bench {

using Image = DecodedImage;

// Bilinear scaling to width x height.
Image Scale(const Image& source, int width, int height);

}  // namespace korvo::bench
