#include "texture/texture_format.h"

#include <array>

namespace korvo {

namespace {

struct FormatInfo {
    std::string_view name;
    int texels_per_unit;
    int unit_bits;
};

constexpr std::array<FormatInfo, kTextureFormatCount> kFormats{{
    {"palette4", 8, 16},
    {"a5i3", 2, 16},
    {"palette16", 4, 16},
    {"palette256", 2, 16},
    {"tex4x4", 16, 32},
    {"direct", 1, 16},
    {"a3i5", 2, 16},
}};

}  // namespace

bool IsTextureFormat(int32_t format) { return format >= 0 && format < kTextureFormatCount; }

std::string_view TextureFormatName(int32_t format) {
    return IsTextureFormat(format) ? kFormats[static_cast<std::size_t>(format)].name : std::string_view{};
}

int32_t TextureFormatFromName(std::string_view name) {
    for (int32_t i = 0; i < kTextureFormatCount; ++i) {
        if (kFormats[static_cast<std::size_t>(i)].name == name) return i;
    }
    return kTextureFormatCount;
}

int TexelsPerUnit(int32_t format) {
    return IsTextureFormat(format) ? kFormats[static_cast<std::size_t>(format)].texels_per_unit : 1;
}

int BitmapUnitBits(int32_t format) {
    return IsTextureFormat(format) ? kFormats[static_cast<std::size_t>(format)].unit_bits : 16;
}

int BitmapUnitCount(int32_t format, int width, int height) { return width * height / TexelsPerUnit(format); }

}  // namespace korvo
