#pragma once
// Encoding of an image in the plain (uncompressed) formats: analysis,
// format choice, the brightness-ordered palette, palette indices and the
// packing of bitmap units. Texels are RGBA bytes, row-major, top row first.

#include <cstdint>
#include <span>
#include <vector>

namespace korvo {

struct ImageAnalysis {
    std::vector<uint16_t> colors;        // distinct 15-bit colours, in order of first appearance
    std::vector<uint8_t> alpha_levels;   // distinct alpha levels (alpha >> 3) below 31
    bool has_transparent_black = false;  // some texel has colour 0 and alpha level 0
};

// Analyses the top-left width x height texels of an image whose rows are
// stride texels long.
ImageAnalysis AnalyseImage(std::span<const uint8_t> rgba, int stride, int width, int height);

struct FormatChoice {
    int32_t format = 0;
    // Palette formats only: index 0 stands for every texel with alpha below
    // 128, and the remaining texels are opaque.
    bool transparency = false;
    std::vector<uint16_t> palette;  // not yet sorted; empty for direct
};

FormatChoice ChooseFormat(const ImageAnalysis& analysis);

// Ascending brightness, by the exchange sort the palettes were defined
// with (for each i, swap with every later j that is darker): equal
// brightnesses end up in the order this sort leaves them.
void SortByBrightness(std::vector<uint16_t>& palette);

// The palette index of every texel. With transparency, texels with alpha
// below 128 get 0 and the others are looked up from position 1. A colour
// missing from the palette (the padding outside the image of an opaque
// texture) gets index 0.
std::vector<uint16_t> PaletteIndices(std::span<const uint8_t> rgba, std::span<const uint16_t> palette,
                                     bool transparency);

// The bitmap units of a plain format (not tex4x4), rows from the top,
// texels from the left. indices is unused for direct.
std::vector<uint16_t> PackBitmap(int32_t format, std::span<const uint8_t> rgba, std::span<const uint16_t> indices,
                                 int width, int height);

}  // namespace korvo
