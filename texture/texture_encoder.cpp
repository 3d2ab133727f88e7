#include "texture/texture_encoder.h"

#include <algorithm>
#include <cstdint>

#include "core/export_scene.h"
#include "texture/palette_encoding.h"
#include "texture/prepared_texture.h"
#include "texture/tex4x4.h"
#include "texture/texture_format.h"

namespace korvo {

namespace {

// Little-endian units of the given byte width; false when there are fewer
// than count.
bool ReadUnits(const std::vector<uint8_t>& bytes, std::size_t count, std::size_t width, std::vector<uint32_t>& out) {
    if (bytes.size() < count * width) return false;
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        uint32_t unit = 0;
        for (std::size_t b = width; b-- > 0;) unit = unit << 8 | bytes[i * width + b];
        out[i] = unit;
    }
    return true;
}

bool FromPrepared(const ExportTexture& t, const PreparedTexture& p, EncodedTexture& e) {
    if (!IsTextureFormat(p.format)) return false;
    e.format = p.format;
    e.width = t.width;
    e.height = t.height;
    e.color0_transparent = p.color0_transparent;
    e.palette = p.palette;
    const std::size_t count = static_cast<std::size_t>(BitmapUnitCount(p.format, t.width, t.height));
    if (count == 0) return false;
    if (!ReadUnits(p.texels, count, static_cast<std::size_t>(BitmapUnitBits(p.format) / 8), e.units)) return false;
    if (p.format != kFormatTex4x4) return true;
    std::vector<uint32_t> indices;
    if (!ReadUnits(p.palette_indices, count, 2, indices)) return false;
    e.block_palette_indices.assign(indices.begin(), indices.end());
    return true;
}

void ConvertCompressed(const std::vector<uint8_t>& texels, Tex4x4Variant variant, EncodedTexture& e) {
    Tex4x4Texture compressed = CompressTex4x4(texels, e.width, e.height, variant);
    e.format = kFormatTex4x4;
    e.units.assign(compressed.blocks.begin(), compressed.blocks.end());
    e.block_palette_indices = std::move(compressed.palette_indices);
    e.palette = std::move(compressed.palette);
}

void ConvertPlain(const ExportTexture& t, const std::vector<uint8_t>& texels, EncodedTexture& e) {
    const int width = std::min<int>(t.original_width, e.width), height = std::min<int>(t.original_height, e.height);
    FormatChoice choice = ChooseFormat(AnalyseImage(texels, e.width, width, height));
    SortByBrightness(choice.palette);
    const std::vector<uint16_t> indices = PaletteIndices(texels, choice.palette, choice.transparency);
    const std::vector<uint16_t> units = PackBitmap(choice.format, texels, indices, e.width, e.height);
    e.format = choice.format;
    e.color0_transparent = choice.transparency;
    e.palette = std::move(choice.palette);
    e.units.assign(units.begin(), units.end());
}

}  // namespace

std::vector<uint8_t> EncodedAreaTexels(const ExportTexture& t) {
    const std::size_t width = t.width, height = t.height;
    std::vector<uint8_t> texels(width * height * 4, 0);
    const std::size_t copy_width = std::min<std::size_t>(t.original_width, width);
    const std::size_t copy_height = std::min<std::size_t>(t.original_height, height);
    const std::size_t row_bytes = static_cast<std::size_t>(t.original_width) * 4;
    for (std::size_t y = 0; y < copy_height && (y + 1) * row_bytes <= t.pixels.size(); ++y) {
        std::copy_n(t.pixels.begin() + static_cast<std::ptrdiff_t>(y * row_bytes), copy_width * 4,
                    texels.begin() + static_cast<std::ptrdiff_t>(y * width * 4));
    }
    return texels;
}

EncodedTexture EncodeTexture(const ExportTexture& texture) {
    PreparedTexture prepared;
    EncodedTexture e;
    if (ReadPreparedTexture(texture.path, prepared) && FromPrepared(texture, prepared, e)) {
        e.prepared = true;
        e.palette_name = prepared.palette_name;
        return e;
    }
    // A failed prepared read keeps what it read; the palette name among it
    // still names the converted palette.
    e = EncodedTexture{};
    e.palette_name = prepared.palette_name;
    e.width = texture.width;
    e.height = texture.height;
    const std::vector<uint8_t> texels = EncodedAreaTexels(texture);
    if (texture.path.find("_cmp") != std::string::npos) {
        const bool interpolated = texture.path.find("_cmp2") != std::string::npos;
        ConvertCompressed(texels, interpolated ? Tex4x4Variant::kInterpolated : Tex4x4Variant::kFourColor, e);
    } else {
        ConvertPlain(texture, texels, e);
    }
    return e;
}

}  // namespace korvo
