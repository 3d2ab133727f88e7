#include "bench_images.h"

#include <algorithm>
#include <cmath>
#include <memory>

namespace korvo::bench {

Image Scale(const Image& source, int width, int height) {
    Image out{width, height, std::vector<uint8_t>(static_cast<std::size_t>(width) * height * 4)};
    auto at = [&](int x, int y, int c) {
        x = std::clamp(x, 0, source.width - 1);
        y = std::clamp(y, 0, source.height - 1);
        return static_cast<double>(source.rgba[(static_cast<std::size_t>(y) * source.width + x) * 4 + c]);
    };
    for (int y = 0; y < height; ++y) {
        const double sy = (y + 0.5) * source.height / height - 0.5;
        const int y0 = static_cast<int>(std::floor(sy));
        const double fy = sy - y0;
        for (int x = 0; x < width; ++x) {
            const double sx = (x + 0.5) * source.width / width - 0.5;
            const int x0 = static_cast<int>(std::floor(sx));
            const double fx = sx - x0;
            for (int c = 0; c < 4; ++c) {
                const double top = at(x0, y0, c) * (1 - fx) + at(x0 + 1, y0, c) * fx;
                const double bottom = at(x0, y0 + 1, c) * (1 - fx) + at(x0 + 1, y0 + 1, c) * fx;
                out.rgba[(static_cast<std::size_t>(y) * width + x) * 4 + c] =
                    static_cast<uint8_t>(std::lround(top * (1 - fy) + bottom * fy));
            }
        }
    }
    return out;
}

}  // namespace korvo::bench
