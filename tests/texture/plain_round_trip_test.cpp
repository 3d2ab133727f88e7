#include <gtest/gtest.h>

#include "texture/texture_decoder.h"
#include "texture/texture_encoder.h"
#include "texture/texture_format.h"
#include "texture_images.h"

namespace korvo {
namespace {

using test::Rgba;

// Colour number i of a set of distinct 15-bit colours other than black,
// with low bits that the 5-bit reduction drops.
Rgba Distinct(int i, uint8_t alpha = 255) {
    const int n = i + 1;
    return {static_cast<uint8_t>((n & 31) << 3 | 5), static_cast<uint8_t>(((n >> 5) & 31) << 3 | 2),
            static_cast<uint8_t>(((n * 7 >> 3) & 31) << 3), alpha};
}

struct Case {
    const char* what;
    int width, height;
    int colors;
    std::vector<uint8_t> alphas;  // cycled over the texels
    int32_t format;
    bool transparency;
    int alpha_bits;  // compared bits of alpha for translucent formats
};

// Encodes an image that fits the format exactly and decodes it: every
// opaque or translucent texel comes back as its 5-bit colour, every texel
// that one-bit alpha makes transparent as transparent black.
void CheckRoundTrip(const Case& c) {
    SCOPED_TRACE(c.what);
    std::vector<Rgba> texels;
    for (int i = 0; i < c.width * c.height; ++i) {
        texels.push_back(Distinct(i % c.colors, c.alphas[static_cast<std::size_t>(i) % c.alphas.size()]));
    }
    ExportTexture texture = test::TextureOf("/images/" + std::string(c.what) + ".png", c.width, c.height, texels);
    const EncodedTexture encoded = EncodeTexture(texture);
    EXPECT_EQ(encoded.format, c.format);
    EXPECT_EQ(encoded.color0_transparent, c.transparency);
    EXPECT_EQ(encoded.units.size(), static_cast<std::size_t>(BitmapUnitCount(c.format, c.width, c.height)));
    const std::vector<uint8_t> source = EncodedAreaTexels(texture);
    const std::vector<uint8_t> decoded = DecodeTexture(encoded);
    ASSERT_EQ(decoded.size(), source.size());
    const bool one_bit_alpha = c.transparency || c.format == kFormatDirect;
    for (std::size_t t = 0; t < source.size() / 4; ++t) {
        const uint8_t* s = &source[t * 4];
        const uint8_t* d = &decoded[t * 4];
        if (one_bit_alpha && s[3] < 128) {
            EXPECT_EQ(d[0] | d[1] | d[2] | d[3], 0) << "texel " << t;
            continue;
        }
        EXPECT_EQ(d[0] >> 3, s[0] >> 3) << "texel " << t;
        EXPECT_EQ(d[1] >> 3, s[1] >> 3) << "texel " << t;
        EXPECT_EQ(d[2] >> 3, s[2] >> 3) << "texel " << t;
        const int bits = one_bit_alpha ? 1 : c.alpha_bits;
        EXPECT_EQ(d[3] >> (8 - bits), s[3] >> (8 - bits)) << "texel " << t;
    }
}

TEST(PlainRoundTripTest, EveryPlainFormatDecodesBackToItsImage) {
    const std::vector<uint8_t> opaque = {255};
    const std::vector<Case> cases = {
        {"palette4", 8, 8, 3, opaque, kFormatPalette4, false, 8},
        {"palette4_cut", 8, 8, 3, {255, 0, 255, 255}, kFormatPalette4, true, 1},
        {"palette16", 16, 8, 16, opaque, kFormatPalette16, false, 8},
        {"palette16_cut", 16, 8, 15, {0, 255, 255}, kFormatPalette16, true, 1},
        {"palette256", 16, 16, 256, opaque, kFormatPalette256, false, 8},
        {"palette256_cut", 32, 16, 200, {255, 255, 3}, kFormatPalette256, true, 1},
        {"a5i3", 8, 8, 7, {0, 64, 200, 255, 255}, kFormatA5I3, false, 5},
        {"a3i5", 16, 8, 29, {0, 32, 96, 160, 224, 255}, kFormatA3I5, false, 3},
        {"direct", 32, 32, 700, {255, 255, 255, 0, 127, 128}, kFormatDirect, false, 1},
        {"direct_256", 32, 16, 256, {255, 255, 200}, kFormatDirect, false, 1},
    };
    for (const Case& c : cases) CheckRoundTrip(c);
}

// The padding beside a smaller image is transparent black: it takes index 0
// with transparency, and the analysis only sees the image itself.
TEST(PlainRoundTripTest, ImageSmallerThanItsEncodedAreaKeepsItsFormat) {
    std::vector<Rgba> texels;
    for (int i = 0; i < 5 * 3; ++i) texels.push_back(Distinct(i % 2));
    const EncodedTexture opaque = EncodeTexture(test::TextureOf("/images/small.png", 5, 3, texels));
    EXPECT_EQ(opaque.format, kFormatPalette4);
    EXPECT_FALSE(opaque.color0_transparent);
    EXPECT_EQ(opaque.palette.size(), 2u);

    texels[4].a = 0;
    const EncodedTexture encoded = EncodeTexture(test::TextureOf("/images/small.png", 5, 3, texels));
    EXPECT_TRUE(encoded.color0_transparent);
    ASSERT_EQ(encoded.palette.size(), 3u);  // colour 0 added for the transparent index
    EXPECT_EQ(encoded.palette[0], 0);
    const std::vector<uint8_t> decoded = DecodeTexture(encoded);
    EXPECT_EQ(decoded[4 * 4 + 3], 0);
    EXPECT_EQ(decoded[(7 * 8 + 7) * 4 + 3], 0);
    EXPECT_EQ(decoded[3], 255);
}

}  // namespace
}  // namespace korvo
