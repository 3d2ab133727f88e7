#include <gtest/gtest.h>

#include "core/export_names.h"
#include "core/export_scene.h"
#include "support/prepared_tga.h"
#include "support/reports.h"
#include "support/test_support.h"
#include "writers/text_writer.h"
#include "writers/texture_layout.h"
#include "writers/texture_section.h"

namespace korvo {
namespace {

struct Rgba {
    uint8_t r, g, b, a;
};

constexpr Rgba kRed{255, 0, 0, 255}, kGreen{0, 255, 0, 255}, kBlue{0, 0, 255, 255};

ExportTexture Texture(const std::string& path, int width, int height, const std::vector<Rgba>& texels) {
    ExportTexture t;
    t.path = path;
    t.name = TextureBaseName(path);
    t.original_width = t.width = static_cast<uint16_t>(width);
    t.original_height = t.height = static_cast<uint16_t>(height);
    for (const Rgba& p : texels) t.pixels.insert(t.pixels.end(), {p.r, p.g, p.b, p.a});
    return t;
}

// 8 x 8, every row red, red, green, green, blue, blue, then the last two
// texels given.
ExportTexture Stripes(const std::string& path, Rgba seventh, Rgba eighth) {
    std::vector<Rgba> texels;
    for (int y = 0; y < 8; ++y)
        texels.insert(texels.end(), {kRed, kRed, kGreen, kGreen, kBlue, kBlue, seventh, eighth});
    return Texture(path, 8, 8, texels);
}

struct Written {
    bool ok = false;
    std::string text;
    ModelLayout layout;
    test::Reports reports;
    test::ShownProgress shown;
};

void Write(const ExportScene& scene, Written& w) {
    LayOutTextures(scene, w.shown.progress, w.layout);
    TextWriter out;
    w.ok = WriteTextureSections(out, scene, w.layout, w.reports.diagnostics, w.shown.progress);
    w.text = out.text();
}

std::string Between(const std::string& text, const std::string& from, const std::string& to) {
    const std::size_t start = text.find(from);
    if (start == std::string::npos) return "(no " + from + ")";
    const std::size_t end = text.find(to, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end + to.size() - start);
}

std::string Image(const std::string& text, int index) {
    return Between(text, "\t<tex_image index=\"" + std::to_string(index) + "\"", "\t</tex_image>\n");
}

std::string Palettes(const std::string& text) {
    return Between(text, "\n<tex_palette_array", "</tex_palette_array>\n");
}

TEST(TextureSectionTest, ThreeOpaqueColoursMakeAFourColourPalette) {
    ExportScene scene;
    scene.textures.push_back(Stripes("C:\\maps\\tri.png", kRed, kGreen));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.text,
              "\n<tex_image_array size=\"1\">\n"
              "\t<tex_image index=\"0\" name=\"tri\"\n"
              "\t\twidth=\"8\" height=\"8\" original_width=\"8\" original_height=\"8\"\n"
              "\t\tformat=\"palette4\"\n"
              "\t\tcolor0_mode=\"color\"\n"
              "\t\tpalette_name=\"tri_pl\"\n"
              "\t\tpath=\"C:/maps/tri.png\"\n"
              "\t>\n"
              "\t\t<bitmap size=\"8\">\n"
              "\t\t\t90a5 90a5 90a5 90a5 90a5 90a5 90a5 90a5\n"
              "\t\t</bitmap>\n"
              "\t</tex_image>\n"
              "</tex_image_array>\n"
              "\n<tex_palette_array size=\"1\">\n"
              "\t<tex_palette index=\"0\" name=\"tri_pl\" color_size=\"8\">\n"
              "\t\t7c00 001f 03e0 7fff 7fff 7fff 7fff 7fff\n"
              "\t</tex_palette>\n"
              "</tex_palette_array>\n");
    EXPECT_EQ(w.layout.textures[0].palette_index, 0);
    EXPECT_EQ(w.shown.texts.back(), "IMD: Exporting Textures (12%)");

    ExportScene none;
    Written nothing;
    Write(none, nothing);
    EXPECT_TRUE(nothing.ok);
    EXPECT_EQ(nothing.text, "") << "no textures, no sections";
}

TEST(TextureSectionTest, OneAlphaLevelMakesIndexZeroTransparentAndTwoMakeA5i3) {
    ExportScene scene;
    scene.textures.push_back(Stripes("/maps/cut.png", kRed, {0, 255, 0, 100}));
    scene.textures.push_back(Stripes("/maps/fade.png", {255, 0, 0, 100}, {0, 255, 0, 0}));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    // The frame of an image is pinned above; here only what differs.
    const std::string cut = Image(w.text, 0);
    EXPECT_TRUE(test::Contains(cut, "\t\tformat=\"palette4\"\n\t\tcolor0_mode=\"transparency\"\n"));
    EXPECT_TRUE(test::Contains(cut, "<bitmap size=\"8\">\n\t\t\t25fa 25fa 25fa 25fa 25fa 25fa 25fa 25fa\n"));
    const std::string a5i3_line = "\n\t\t\tf9f9 fafa f8f8 0261 f9f9 fafa f8f8 0261";
    const std::string fade = Image(w.text, 1);
    EXPECT_TRUE(test::Contains(fade, "\t\tformat=\"a5i3\"\n\t\tpalette_name=\"fade_pl\"\n"));
    EXPECT_TRUE(test::Contains(fade, "<bitmap size=\"32\">" + a5i3_line + a5i3_line + a5i3_line + a5i3_line + "\n"));
    EXPECT_EQ(Palettes(w.text),
              "\n<tex_palette_array size=\"2\">\n"
              "\t<tex_palette index=\"0\" name=\"cut_pl\" color_size=\"8\">\n"
              "\t\t0000 7c00 001f 03e0 7fff 7fff 7fff 7fff\n"
              "\t</tex_palette>\n"
              "\t<tex_palette index=\"1\" name=\"fade_pl\" color_size=\"8\">\n"
              "\t\t7c00 001f 03e0 7fff 7fff 7fff 7fff 7fff\n"
              "\t</tex_palette>\n"
              "</tex_palette_array>\n");
}

// 16 x 16 texels of 256 different colours, the first pure red.
ExportTexture ManyColours(const std::string& path, int width, int height, int colours, uint8_t alpha) {
    std::vector<Rgba> texels;
    for (int i = 0; i < width * height; ++i) {
        const int c = i % colours;
        texels.push_back({static_cast<uint8_t>(255 - (c % 16) * 8), static_cast<uint8_t>((c / 16 % 32) * 8),
                          static_cast<uint8_t>(c / 512 * 8), i == 1 ? alpha : uint8_t{255}});
    }
    return Texture(path, width, height, texels);
}

TEST(TextureSectionTest, TooManyColoursOrTranslucencyMakeDirectTexels) {
    ExportScene scene;
    scene.textures.push_back(ManyColours("/maps/full.png", 16, 16, 256, 255));
    scene.textures.push_back(ManyColours("/maps/glass.png", 16, 16, 256, 200));
    scene.textures.push_back(ManyColours("/maps/wide.png", 32, 16, 512, 255));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    EXPECT_TRUE(test::Contains(Image(w.text, 0), "\t\tformat=\"palette256\"\n\t\tcolor0_mode=\"color\"\n"));
    EXPECT_TRUE(test::Contains(Image(w.text, 0), "<bitmap size=\"128\">"));
    EXPECT_EQ(w.layout.textures[0].encoded.palette.size(), 256u);
    for (int i : {1, 2}) {
        const std::string image = Image(w.text, i);
        EXPECT_TRUE(test::Contains(image, "\t\tformat=\"direct\"\n\t\tpath="));
        EXPECT_TRUE(test::Contains(image, "<bitmap size=\"" + std::to_string(i == 1 ? 256 : 512) + "\">\n\t\t\t801f "));
    }
    EXPECT_EQ(w.layout.textures[1].palette_index, -1);
    EXPECT_TRUE(test::Contains(Palettes(w.text), "<tex_palette_array size=\"1\">"));
}

TEST(TextureSectionTest, InterpolatedCompressionOfFourHandWorkedBlocks) {
    const Rgba a{0, 0, 0, 255}, b{64, 64, 64, 255}, c{128, 128, 128, 255}, clear{0, 0, 0, 0};
    // Blocks: top left a (rows 0-1), b, c; top right red; bottom left green,
    // red, alternating, transparent; bottom right transparent.
    const std::vector<std::vector<Rgba>> rows = {
        {a, a, a, a, kRed, kRed, kRed, kRed},
        {a, a, a, a, kRed, kRed, kRed, kRed},
        {b, b, b, b, kRed, kRed, kRed, kRed},
        {c, c, c, c, kRed, kRed, kRed, kRed},
        {kGreen, kGreen, kGreen, kGreen, clear, clear, clear, clear},
        {kRed, kRed, kRed, kRed, clear, clear, clear, clear},
        {kGreen, kRed, kGreen, kRed, clear, clear, clear, clear},
        {clear, clear, clear, clear, clear, clear, clear, clear},
    };
    std::vector<Rgba> texels;
    for (const auto& row : rows) texels.insert(texels.end(), row.begin(), row.end());
    ExportScene scene;
    scene.textures.push_back(Texture("/maps/leaf_cmp2.png", 8, 8, texels));
    scene.textures.push_back(Texture("/maps/leaf_cmp.png", 8, 8, texels));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(Image(w.text, 0),
              "\t<tex_image index=\"0\" name=\"leaf_cmp2\"\n"
              "\t\twidth=\"8\" height=\"8\" original_width=\"8\" original_height=\"8\"\n"
              "\t\tformat=\"tex4x4\"\n"
              "\t\tpalette_name=\"leaf_cmp2_pl\"\n"
              "\t\tpath=\"/maps/leaf_cmp2.png\"\n"
              "\t>\n"
              "\t\t<bitmap size=\"4\">\n"
              "\t\t\t00aa5555 00000000 ff445500 ffffffff\n"
              "\t\t</bitmap>\n"
              "\t\t<tex4x4_palette_idx size=\"4\">\n"
              "\t\t\tc000 c001 4002 4000 \n"
              "\t\t</tex4x4_palette_idx>\n"
              "\t</tex_image>\n");
    EXPECT_TRUE(test::Contains(Palettes(w.text), "\t<tex_palette index=\"0\" name=\"leaf_cmp2_pl\" color_size=\"8\">\n"
                                                 "\t\t4210 0000 001f 7fff 03e0 001f 7fff 7fff\n"));
    // The four-colour variant stores the top left block's three colours as
    // they are (brightest, darkest, middle); the red block finds its colour
    // at an odd position and reads the pair before it.
    EXPECT_TRUE(test::Contains(Image(w.text, 1), "<bitmap size=\"4\">\n\t\t\t00aa5555 55555555 ff445500 ffffffff\n"));
    EXPECT_TRUE(test::Contains(Image(w.text, 1), "<tex4x4_palette_idx size=\"4\">\n\t\t\t8000 8001 0002 0000 \n"));
    EXPECT_TRUE(test::Contains(Palettes(w.text), "index=\"1\" name=\"leaf_cmp_pl\" color_size=\"8\">\n"
                                                 "\t\t4210 0000 2108 001f 03e0 001f 7fff 7fff\n"));
}

TEST(TextureSectionTest, PalettesAreWrittenInNameOrderAndLongNamesWarn) {
    ExportScene scene;
    scene.textures.push_back(Stripes("/maps/zeta.png", kRed, kRed));
    scene.textures.push_back(Stripes("/maps/a_very_long_texture.png", kBlue, kBlue));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    EXPECT_TRUE(test::Contains(Palettes(w.text), "index=\"0\" name=\"a_very_long_texture_pl\""));
    EXPECT_TRUE(test::Contains(Palettes(w.text), "index=\"1\" name=\"zeta_pl\""));
    EXPECT_EQ(w.layout.textures[0].palette_index, 1);
    EXPECT_EQ(w.layout.textures[1].palette_index, 0);
    EXPECT_EQ(
        w.reports.Warnings(),
        (std::vector<std::string>{"Warning: Length of name over 16 characters. texture: a_very_long_texture",
                                  "Warning: Length of name over 16 characters. palette: a_very_long_texture_pl"}));
}

// ---------------------------------------------------------------- prepared textures

using test::Chunk;

// A prepared 8 x 8 palette4 file with colour 0 transparent, bitmap units 1
// to 8, and the named palette.
std::string PreparedPalette4(const std::string& palette_name, const std::string& colors) {
    std::string texels;
    for (char unit = 1; unit <= 8; ++unit) texels += std::string{unit, '\0'};
    return test::PreparedTga(Chunk("kvs_frmt", "palette4") + Chunk("kvs_c0xp", "") + Chunk("kvs_txel", texels) +
                             Chunk("kvs_pnam", palette_name) + Chunk("kvs_pcol", colors) + Chunk("kvs_gnam", "tool"));
}

const std::string kFourColours("\x00\x00\x00\x7c\x1f\x00\xe0\x03", 8);

TEST(TextureSectionTest, PreparedTexturesNamingOnePaletteShareItIfTheirColoursAgree) {
    test::TempDir dir;
    test::WriteFile(dir.file("stone.tga"), PreparedPalette4("shared-pal", kFourColours));
    test::WriteFile(dir.file("moss.tga"), PreparedPalette4("shared-pal", kFourColours));
    ExportScene scene;
    for (const char* name : {"stone.tga", "moss.tga"}) scene.textures.push_back(Texture(dir.file(name), 8, 8, {}));
    scene.textures.push_back(Stripes("/maps/a.png", kRed, kRed));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    const std::string stone = Image(w.text, 0);
    EXPECT_TRUE(test::Contains(stone, "\t\tcolor0_mode=\"transparency\"\n\t\tpalette_name=\"shared_pal\"\n"));
    EXPECT_TRUE(test::Contains(stone, "<bitmap size=\"8\">\n\t\t\t0001 0002 0003 0004 0005 0006 0007 0008\n"));
    EXPECT_EQ(Palettes(w.text),
              "\n<tex_palette_array size=\"2\">\n"
              "\t<tex_palette index=\"0\" name=\"a_pl\" color_size=\"8\">\n"
              "\t\t7c00 001f 03e0 7fff 7fff 7fff 7fff 7fff\n"
              "\t</tex_palette>\n"
              "\t<tex_palette index=\"1\" name=\"shared_pal\" color_size=\"8\">\n"
              "\t\t0000 7c00 001f 03e0 7fff 7fff 7fff 7fff\n"
              "\t</tex_palette>\n"
              "</tex_palette_array>\n");
    EXPECT_EQ(w.layout.textures[0].palette_index, 1);
    EXPECT_EQ(w.layout.textures[1].palette_index, 1);
    EXPECT_TRUE(w.layout.textures[1].shares_palette);
    EXPECT_EQ(w.layout.textures[2].palette_index, 0);

    test::WriteFile(dir.file("moss.tga"), PreparedPalette4("shared-pal", kFourColours.substr(0, 6)));
    ExportScene clash;
    for (const char* name : {"stone.tga", "moss.tga"}) clash.textures.push_back(Texture(dir.file(name), 8, 8, {}));
    Written failed;
    Write(clash, failed);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.reports.Errors(),
              std::vector<std::string>{"Palette Error: Texture palette data is not identical. shared-pal"});
    EXPECT_EQ(failed.text.find("<tex_palette_array"), std::string::npos);
}

// A prepared file is taken as it is, even where its name asks for
// compression.
TEST(TextureSectionTest, PreparedCompressedTextureIsCopiedUnchanged) {
    test::TempDir dir;
    std::string words, indices;
    for (char byte = 1; byte <= 16; ++byte) words += byte;
    for (char unit = 1; unit <= 4; ++unit) indices += std::string{unit, '\0'};
    test::WriteFile(dir.file("bark_cmp.tga"),
                    test::PreparedTga(Chunk("kvs_frmt", "tex4x4") + Chunk("kvs_txel", words) +
                                      Chunk("kvs_pidx", indices) + Chunk("kvs_pcol", kFourColours) +
                                      Chunk("kvs_gnam", "")));
    ExportScene scene;
    scene.textures.push_back(Texture(dir.file("bark_cmp.tga"), 8, 8, {}));
    Written w;
    Write(scene, w);
    ASSERT_TRUE(w.ok);
    const std::string bark = Image(w.text, 0);
    EXPECT_TRUE(test::Contains(bark, "\t\tformat=\"tex4x4\"\n\t\tpalette_name=\"bark_cmp_pl\"\n"));
    EXPECT_TRUE(test::Contains(bark, "<bitmap size=\"4\">\n\t\t\t04030201 08070605 0c0b0a09 100f0e0d\n"));
    EXPECT_TRUE(test::Contains(bark, "<tex4x4_palette_idx size=\"4\">\n\t\t\t0001 0002 0003 0004\n"));
    EXPECT_TRUE(test::Contains(Palettes(w.text), "name=\"bark_cmp_pl\" color_size=\"8\">\n\t\t0000 7c00 001f 03e0"));
}

}  // namespace
}  // namespace korvo
