#include "texture/palette_encoding.h"

#include <algorithm>
#include <array>

#include "texture/color15.h"
#include "texture/texture_format.h"

namespace korvo {

namespace {

constexpr std::size_t kColorSpace = 1u << 15;
constexpr int kOpaqueLevel = 31;

uint16_t TexelColor(std::span<const uint8_t> rgba, std::size_t texel) {
    return Color15(rgba[texel * 4], rgba[texel * 4 + 1], rgba[texel * 4 + 2]);
}

uint8_t TexelAlpha(std::span<const uint8_t> rgba, std::size_t texel) { return rgba[texel * 4 + 3]; }

// Low 8 bits: the alpha byte with its low index_bits cleared, then the index.
uint16_t AlphaIndexByte(uint8_t alpha, uint16_t index, int index_bits) {
    const int index_mask = (1 << index_bits) - 1;
    return static_cast<uint16_t>((alpha & ~index_mask & 0xff) | (index & index_mask));
}

uint16_t PackUnit(int32_t format, std::span<const uint8_t> rgba, std::span<const uint16_t> indices, std::size_t first) {
    uint16_t unit = 0;
    switch (format) {
        case kFormatPalette4:
            for (std::size_t k = 0; k < 8; ++k) unit |= static_cast<uint16_t>((indices[first + k] & 3) << (2 * k));
            break;
        case kFormatPalette16:
            for (std::size_t k = 0; k < 4; ++k) unit |= static_cast<uint16_t>((indices[first + k] & 15) << (4 * k));
            break;
        case kFormatPalette256:
            unit = static_cast<uint16_t>((indices[first] & 0xff) | (indices[first + 1] & 0xff) << 8);
            break;
        case kFormatA3I5:
        case kFormatA5I3: {
            const int bits = format == kFormatA3I5 ? 5 : 3;
            unit = static_cast<uint16_t>(AlphaIndexByte(TexelAlpha(rgba, first), indices[first], bits) |
                                         AlphaIndexByte(TexelAlpha(rgba, first + 1), indices[first + 1], bits) << 8);
            break;
        }
        case kFormatDirect:
            unit = static_cast<uint16_t>(TexelColor(rgba, first) | (TexelAlpha(rgba, first) >= 128 ? 0x8000 : 0));
            break;
        default:
            break;
    }
    return unit;
}

}  // namespace

ImageAnalysis AnalyseImage(std::span<const uint8_t> rgba, int stride, int width, int height) {
    ImageAnalysis analysis;
    std::vector<bool> seen_color(kColorSpace, false);
    std::array<bool, 32> seen_level{};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const std::size_t texel =
                static_cast<std::size_t>(y) * static_cast<std::size_t>(stride) + static_cast<std::size_t>(x);
            const uint16_t color = TexelColor(rgba, texel);
            const int level = TexelAlpha(rgba, texel) >> 3;
            if (!seen_color[color]) {
                seen_color[color] = true;
                analysis.colors.push_back(color);
            }
            if (level < kOpaqueLevel && !seen_level[static_cast<std::size_t>(level)]) {
                seen_level[static_cast<std::size_t>(level)] = true;
                analysis.alpha_levels.push_back(static_cast<uint8_t>(level));
            }
            if (color == 0 && level == 0) analysis.has_transparent_black = true;
        }
    }
    return analysis;
}

FormatChoice ChooseFormat(const ImageAnalysis& analysis) {
    FormatChoice choice;
    const std::size_t colors = analysis.colors.size();
    const std::size_t levels = analysis.alpha_levels.size();
    choice.palette = analysis.colors;
    if (levels >= 2 && colors <= 8) {
        choice.format = kFormatA5I3;
    } else if (levels >= 2 && colors <= 32) {
        choice.format = kFormatA3I5;
    } else if (colors > 256 || (colors == 256 && levels > 0)) {
        choice.format = kFormatDirect;
        choice.palette.clear();
    } else if (colors == 256) {
        choice.format = kFormatPalette256;
    } else {
        if (levels > 0) {
            // One bit of alpha: index 0 becomes the transparent colour.
            choice.transparency = true;
            if (!analysis.has_transparent_black) choice.palette.push_back(0);
        }
        const std::size_t size = choice.palette.size();
        choice.format = size <= 4 ? kFormatPalette4 : size <= 16 ? kFormatPalette16 : kFormatPalette256;
    }
    return choice;
}

void SortByBrightness(std::vector<uint16_t>& palette) {
    std::vector<int> brightness(palette.size());
    for (std::size_t i = 0; i < palette.size(); ++i) brightness[i] = PaletteBrightness(palette[i]);
    for (std::size_t i = 0; i < palette.size(); ++i) {
        for (std::size_t j = i + 1; j < palette.size(); ++j) {
            if (brightness[j] < brightness[i]) {
                std::swap(brightness[i], brightness[j]);
                std::swap(palette[i], palette[j]);
            }
        }
    }
}

std::vector<uint16_t> PaletteIndices(std::span<const uint8_t> rgba, std::span<const uint16_t> palette,
                                     bool transparency) {
    // First position of each colour at or after the search start.
    std::vector<int32_t> position(kColorSpace, -1);
    for (std::size_t i = transparency ? 1 : 0; i < palette.size(); ++i) {
        int32_t& slot = position[palette[i] & kColor15Mask];
        if (slot < 0) slot = static_cast<int32_t>(i);
    }
    const std::size_t texels = rgba.size() / 4;
    std::vector<uint16_t> indices(texels, 0);
    for (std::size_t t = 0; t < texels; ++t) {
        if (transparency && TexelAlpha(rgba, t) < 128) continue;
        const int32_t at = position[TexelColor(rgba, t)];
        if (at >= 0) indices[t] = static_cast<uint16_t>(at);
    }
    return indices;
}

std::vector<uint16_t> PackBitmap(int32_t format, std::span<const uint8_t> rgba, std::span<const uint16_t> indices,
                                 int width, int height) {
    const std::size_t step = static_cast<std::size_t>(TexelsPerUnit(format));
    const std::size_t texels = static_cast<std::size_t>(width) * static_cast<std::size_t>(height);
    std::vector<uint16_t> units;
    units.reserve(texels / step);
    for (std::size_t first = 0; first + step <= texels; first += step) {
        units.push_back(PackUnit(format, rgba, indices, first));
    }
    return units;
}

}  // namespace korvo
