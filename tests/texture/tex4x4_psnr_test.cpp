#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <map>

#include "host/memory/memory_bitmap_manager.h"
#include "support/test_support.h"
#include "texture/texture_decoder.h"
#include "texture/texture_encoder.h"
#include "texture/texture_format.h"
#include "texture_images.h"

namespace korvo {
namespace {

struct Floor {
    double cmp, cmp2;  // dB, a little under the measured values
};

// Measured quality of the photographs and textures in the shared assets.
const std::map<std::string, Floor>& Floors() {
    static const std::map<std::string, Floor> floors = {
        {"astronaut.png", {35.6, 33.1}}, {"brick.png", {41.3, 38.3}}, {"chelsea.png", {37.4, 35.5}},
        {"coffee.png", {35.5, 33.4}},    {"grass.png", {31.6, 30.2}}, {"gravel.png", {33.6, 32.0}},
        {"rocket.jpg", {35.8, 33.7}},
    };
    return floors;
}

double CompressedPsnr(const DecodedImage& image, const std::string& path, std::size_t& palette_size) {
    std::vector<test::Rgba> texels;
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        texels.push_back({image.rgba[i], image.rgba[i + 1], image.rgba[i + 2], image.rgba[i + 3]});
    }
    ExportTexture texture = test::TextureOf(path, image.width, image.height, texels);
    const EncodedTexture encoded = EncodeTexture(texture);
    EXPECT_EQ(encoded.format, kFormatTex4x4);
    palette_size = encoded.palette.size();
    EXPECT_LE(palette_size, 32768u);
    return test::Psnr5(EncodedAreaTexels(texture), DecodeTexture(encoded), texture.width, image.width, image.height);
}

TEST(Tex4x4PsnrTest, PhotographsKeepTheirMeasuredQuality) {
    const std::string folder = test::AssetPath("images");
    if (!std::filesystem::is_directory(folder)) GTEST_SKIP() << "no shared images at " << folder;
    for (const auto& [file, floor] : Floors()) {
        const DecodedImage image = LoadImageRgba(folder + "/" + file);
        ASSERT_GT(image.width, 0) << file;
        const std::string stem = file.substr(0, file.find('.'));
        std::size_t colors = 0, colors2 = 0;
        const double cmp = CompressedPsnr(image, "/images/" + stem + "_cmp.png", colors);
        const double cmp2 = CompressedPsnr(image, "/images/" + stem + "_cmp2.png", colors2);
        std::printf("%-14s %4d x %-4d  _cmp %6.2f dB (%5zu colours)  _cmp2 %6.2f dB (%5zu colours)\n", file.c_str(),
                    image.width, image.height, cmp, colors, cmp2, colors2);
        EXPECT_GE(cmp, floor.cmp) << file;
        EXPECT_GE(cmp2, floor.cmp2) << file;
    }
}

}  // namespace
}  // namespace korvo
