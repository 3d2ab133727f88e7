#pragma once

#include <cstdint>
#include <vector>

#include "host/host.h"

namespace korvo {

// The bitmap's pixels as RGBA bytes, top row first: each component c
// becomes the integer part of c x 255 + 0.5; alpha is 255 when the bitmap
// has none.
std::vector<uint8_t> BitmapRgba(const HostBitmap& bitmap);

}  // namespace korvo
