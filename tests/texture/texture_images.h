#pragma once
// Small images for the texture tests.

#include <cstdint>
#include <string>
#include <vector>

#include "core/export_scene.h"

namespace korvo::test {

struct Rgba {
    uint8_t r = 0, g = 0, b = 0, a = 255;
};

// A texture record over an image of width x height texels, encoded at the
// next power of two (at least 8) on each side.
ExportTexture TextureOf(const std::string& path, int width, int height, const std::vector<Rgba>& texels);

// Every colour channel shifted right by 3, alpha cut to its top alpha_bits.
std::vector<uint8_t> Reduced(const std::vector<uint8_t>& rgba, int alpha_bits);

// PSNR of decoded against source over the opaque texels among the top-left
// width x height of two images of stride texels a row, on 5-bit colour
// channels widened to 8 bits (99 when they are equal).
double Psnr5(const std::vector<uint8_t>& source, const std::vector<uint8_t>& decoded, int stride, int width,
             int height);

}  // namespace korvo::test
