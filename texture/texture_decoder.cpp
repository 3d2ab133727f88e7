#include "texture/texture_decoder.h"

#include <array>

#include "texture/color15.h"
#include "texture/tex4x4_block.h"
#include "texture/texture_format.h"

namespace korvo {

namespace {

constexpr uint8_t Widen5(int c) { return static_cast<uint8_t>((c << 3) | (c >> 2)); }

uint16_t PaletteColor(const std::vector<uint16_t>& palette, std::size_t i) {
    return i < palette.size() ? palette[i] : kPaletteFiller;
}

void Put(std::vector<uint8_t>& rgba, std::size_t texel, uint16_t color, uint8_t alpha) {
    uint8_t* p = rgba.data() + texel * 4;
    p[0] = Widen5(Red5(color));
    p[1] = Widen5(Green5(color));
    p[2] = Widen5(Blue5(color));
    p[3] = alpha;
}

// One texel of a plain format: texel k of its unit.
void DecodePlainTexel(const EncodedTexture& t, uint32_t unit, std::size_t k, std::vector<uint8_t>& rgba,
                      std::size_t texel) {
    switch (t.format) {
        case kFormatPalette4:
        case kFormatPalette16:
        case kFormatPalette256: {
            const int bits = t.format == kFormatPalette4 ? 2 : t.format == kFormatPalette16 ? 4 : 8;
            const std::size_t index = (unit >> (bits * k)) & ((1u << bits) - 1);
            if (t.color0_transparent && index == 0) break;  // left transparent black
            Put(rgba, texel, PaletteColor(t.palette, index), 255);
            break;
        }
        case kFormatA3I5:
        case kFormatA5I3: {
            const uint32_t byte = (unit >> (8 * k)) & 0xff;
            const int index_bits = t.format == kFormatA3I5 ? 5 : 3;
            const int alpha_bits = 8 - index_bits;
            const int alpha = static_cast<int>(byte >> index_bits);
            // Widen the alpha to 5 bits the way the hardware does, then to 8.
            const int alpha5 = alpha_bits == 5 ? alpha : (alpha << 2) | (alpha >> 1);
            Put(rgba, texel, PaletteColor(t.palette, byte & ((1u << index_bits) - 1)), Widen5(alpha5));
            break;
        }
        case kFormatDirect:
            if ((unit & 0x8000) != 0) Put(rgba, texel, static_cast<uint16_t>(unit & kColor15Mask), 255);
            break;
        default:
            break;
    }
}

void DecodeBlock(const EncodedTexture& t, std::size_t b, std::vector<uint8_t>& rgba) {
    const uint32_t word = t.units[b];
    const uint16_t index = t.block_palette_indices[b];
    const std::size_t position = static_cast<std::size_t>(index & kBlockOffsetMask) * 2;
    const bool transparent = (index & kBlockOpaque) == 0;
    const Tex4x4Variant variant =
        (index & kBlockInterpolated) != 0 ? Tex4x4Variant::kInterpolated : Tex4x4Variant::kFourColor;
    ColorRun run;
    const int read = variant == Tex4x4Variant::kInterpolated ? 2 : transparent ? 3 : 4;
    for (int k = 0; k < read; ++k) run.push_back(PaletteColor(t.palette, position + static_cast<std::size_t>(k)));
    const ColorRun colors = DecodedColors(run, variant, transparent);

    const std::size_t columns = static_cast<std::size_t>(t.width / 4);
    const std::size_t bx = b % columns, by = b / columns;
    for (std::size_t i = 0; i < 16; ++i) {
        const uint32_t code = (word >> (2 * i)) & 3;
        const std::size_t texel = (by * 4 + i / 4) * static_cast<std::size_t>(t.width) + bx * 4 + i % 4;
        if (!transparent || code != kTransparentCode) Put(rgba, texel, colors.colors[code], 255);
    }
}

}  // namespace

std::vector<uint8_t> DecodeTexture(const EncodedTexture& t) {
    if (!IsTextureFormat(t.format) || t.width <= 0 || t.height <= 0) return {};
    const std::size_t units = static_cast<std::size_t>(BitmapUnitCount(t.format, t.width, t.height));
    if (t.units.size() < units) return {};
    const std::size_t texels = static_cast<std::size_t>(t.width) * static_cast<std::size_t>(t.height);
    std::vector<uint8_t> rgba(texels * 4, 0);
    if (t.format == kFormatTex4x4) {
        if (t.block_palette_indices.size() < units) return {};
        for (std::size_t b = 0; b < units; ++b) DecodeBlock(t, b, rgba);
        return rgba;
    }
    const std::size_t per_unit = static_cast<std::size_t>(TexelsPerUnit(t.format));
    for (std::size_t u = 0; u < units; ++u) {
        for (std::size_t k = 0; k < per_unit; ++k) DecodePlainTexel(t, t.units[u], k, rgba, u * per_unit + k);
    }
    return rgba;
}

}  // namespace korvo
