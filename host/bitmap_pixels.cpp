#include "host/bitmap_pixels.h"

#include <cmath>

namespace korvo {

namespace {

uint8_t ComponentByte(float c) {
    const double scaled = std::trunc(static_cast<double>(c) * 255.0 + 0.5);
    if (!(scaled > 0.0)) return 0;
    return scaled >= 255.0 ? 255 : static_cast<uint8_t>(scaled);
}

}  // namespace

std::vector<uint8_t> BitmapRgba(const HostBitmap& bitmap) {
    const int height = bitmap.Height();
    const std::size_t width = bitmap.Width() > 0 ? static_cast<std::size_t>(bitmap.Width()) : 0;
    std::vector<uint8_t> pixels(width * static_cast<std::size_t>(height > 0 ? height : 0) * 4, 0);
    const bool alpha = bitmap.HasAlpha();
    for (int y = 0; y < height; ++y) {
        const std::vector<float> row = bitmap.Row(y);
        uint8_t* out = &pixels[static_cast<std::size_t>(y) * width * 4];
        for (std::size_t x = 0; x < width && (x + 1) * 4 <= row.size(); ++x) {
            for (std::size_t c = 0; c < 3; ++c) out[x * 4 + c] = ComponentByte(row[x * 4 + c]);
            out[x * 4 + 3] = alpha ? ComponentByte(row[x * 4 + 3]) : 255;
        }
    }
    return pixels;
}

}  // namespace korvo
