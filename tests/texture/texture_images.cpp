#include "texture_images.h"

#include <cmath>

namespace korvo::test {

namespace {

uint16_t EncodedSize(int size) {
    int encoded = 8;
    while (encoded < size) encoded *= 2;
    return static_cast<uint16_t>(encoded);
}

int Widen5(int value8) {
    const int c = value8 >> 3;
    return (c << 3) | (c >> 2);
}

}  // namespace

ExportTexture TextureOf(const std::string& path, int width, int height, const std::vector<Rgba>& texels) {
    ExportTexture t;
    t.path = path;
    t.original_width = static_cast<uint16_t>(width);
    t.original_height = static_cast<uint16_t>(height);
    t.width = EncodedSize(width);
    t.height = EncodedSize(height);
    for (const Rgba& p : texels) t.pixels.insert(t.pixels.end(), {p.r, p.g, p.b, p.a});
    return t;
}

std::vector<uint8_t> Reduced(const std::vector<uint8_t>& rgba, int alpha_bits) {
    std::vector<uint8_t> out(rgba.size());
    for (std::size_t i = 0; i < rgba.size(); ++i) {
        out[i] = static_cast<uint8_t>(i % 4 == 3 ? rgba[i] >> (8 - alpha_bits) : rgba[i] >> 3);
    }
    return out;
}

double Psnr5(const std::vector<uint8_t>& source, const std::vector<uint8_t>& decoded, int stride, int width,
             int height) {
    double squares = 0.0;
    int counted = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t at =
                (static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x)) * 4;
            if (source[at + 3] < 128) continue;
            ++counted;
            for (std::size_t c = 0; c < 3; ++c) {
                const double d = Widen5(source[at + c]) - Widen5(decoded[at + c]);
                squares += d * d;
            }
        }
    }
    const double mse = counted == 0 ? 0.0 : squares / (3.0 * counted);
    return mse == 0.0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
}

}  // namespace korvo::test
