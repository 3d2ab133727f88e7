#pragma once
// The hardware's texture formats. The index is what texture records and
// prepared files store; the order is fixed by the file formats.

#include <cstdint>
#include <string_view>

namespace korvo {

enum TextureFormat : int32_t {
    kFormatPalette4 = 0,
    kFormatA5I3 = 1,
    kFormatPalette16 = 2,
    kFormatPalette256 = 3,
    kFormatTex4x4 = 4,
    kFormatDirect = 5,
    kFormatA3I5 = 6,
};
inline constexpr int32_t kTextureFormatCount = 7;

bool IsTextureFormat(int32_t format);
// The name written in files; empty for an index outside the table.
std::string_view TextureFormatName(int32_t format);
// The index of a format name; kTextureFormatCount when it is not one.
int32_t TextureFormatFromName(std::string_view name);

// Texels packed into one bitmap unit (tex4x4: one 32-bit word per 4x4 block).
int TexelsPerUnit(int32_t format);
// 16, or 32 for tex4x4.
int BitmapUnitBits(int32_t format);
// Bitmap units of a width x height texture.
int BitmapUnitCount(int32_t format, int width, int height);

}  // namespace korvo
