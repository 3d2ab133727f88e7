#include "extract/texture_sources.h"

#include <gtest/gtest.h>

#include "core/export_names.h"
#include "extract/texture_paths.h"
#include "document_run.h"

namespace korvo {
namespace {

using test::DocumentRun;
using test::TrueColorTga;
using Strings = std::vector<std::string>;

std::string TexturedMaterial(const std::string& name, const std::string& file) {
    return R"({"class": "korvo_standard", "name": ")" + name + R"(", "diffuse_map": {"file_name": ")" + file +
           R"("}})";
}

TEST(TextureSources, ImagesAreRoundedUpToPowersOfTwoAndSharedByPath) {
    DocumentRun run(R"({"materials": [)" + TexturedMaterial("W", "wide.tga") + "," +
                         TexturedMaterial("T", "tiny.tga") + "," + TexturedMaterial("T2", "tiny.tga") + "]}");
    run.Image("wide.tga", TrueColorTga(100, 60));
    run.Image("tiny.tga", TrueColorTga(4, 4, 7));
    ASSERT_TRUE(run.Materials());
    ASSERT_EQ(run.scene.textures.size(), 2u);
    const ExportTexture& tiny = run.scene.textures[0];
    const ExportTexture& wide = run.scene.textures[1];
    EXPECT_EQ(tiny.name, "tiny");
    EXPECT_EQ(tiny.path, run.HostPath("tiny.tga"));
    EXPECT_EQ((std::vector<int>{tiny.original_width, tiny.original_height, tiny.width, tiny.height}),
              (std::vector<int>{4, 4, 8, 8}));
    EXPECT_EQ((std::vector<int>{wide.original_width, wide.original_height, wide.width, wide.height}),
              (std::vector<int>{100, 60, 128, 64}));
    // The host's bitmap: red, green, blue, alpha bytes, top row first.
    ASSERT_EQ(tiny.pixels.size(), 4u * 4 * 4);
    EXPECT_EQ(std::vector<uint8_t>(tiny.pixels.begin() + 4, tiny.pixels.begin() + 8),
              (std::vector<uint8_t>{0x80, 0x40, 1, 7}));
    EXPECT_EQ(run.reports.Warnings(), Strings{"Warning: Size of texture is wrong. " + run.HostPath("wide.tga") + "."});
    EXPECT_EQ(run.Material("T2").texture_path, run.HostPath("tiny.tga"));
}

TEST(TextureSources, ColourMappedTgaFilesAreReadDirectly) {
    // One pixel, index 0 into a 16-bit map entry 0x7C41; the host would
    // scale its five-bit fields to 0..255 instead.
    DocumentRun run(R"({"materials": [)" + TexturedMaterial("M", "mapped.tga") + "]}");
    run.Image("mapped.tga", std::string("\0\1\1\0\0\1\0\x10\0\0\0\0\1\0\1\0\x08\0\x41\x7C\0", 21));
    ASSERT_TRUE(run.Materials());
    ASSERT_EQ(run.scene.textures.size(), 1u);
    EXPECT_EQ(run.scene.textures[0].pixels, (std::vector<uint8_t>{120, 68, 8, 255}));
}

TEST(TextureSources, UnusableImagesAreErrors) {
    const auto boxes = [](const std::string& file, const std::string& bytes, bool game_export = true) {
        const std::string supported = game_export ? "" : R"(, "supported_by_game_export": false)";
        DocumentRun run(R"({"materials": [{"class": "standard", "name": "M", "diffuse_map": {"file_name": ")" + file +
                        "\"" + supported + "}}]}");
        if (!bytes.empty()) run.Image(file, bytes);
        EXPECT_FALSE(run.Materials());
        return run.BoxTexts();
    };
    EXPECT_EQ(boxes("huge.tga", TrueColorTga(1025, 16)),
              Strings{"Texture Size Over: Texture size over. <dir>\\huge.tga"});
    EXPECT_EQ(boxes("", ""), Strings{"Bitmap Error: No texture image name on material M."});
    EXPECT_EQ(boxes("gone.png", ""),
              Strings{"Bitmap Error: Texture image missing on material M at the path: <dir>\\gone.png."});
    EXPECT_EQ(boxes("junk.png", "not an image"),
              Strings{"Bitmap Error: Failed to open texture on material M at path: <dir>\\junk.png"});
    EXPECT_EQ(boxes("one.tga", TrueColorTga(8, 8), false), Strings{"Texture Error: Texture must be a bitmap"});
}

// A paths test needs the folders to differ from the temp folder's names.
std::string Folder(const test::TempDir& dir, const std::string& name) {
    std::filesystem::create_directories(dir.path() / name);
    return (dir.path() / name).string();
}

TEST(TextureSources, PathsResolveAgainstProjectThenSceneFolder) {
    test::TempDir dir;
    const std::string project = Folder(dir, "project"), scenes = Folder(dir, "scenes");
    test::WriteFile(project + "/in_project.png", "x");
    TextureSearch search{project, scenes + "/hero.max", {}};
    EXPECT_EQ(ResolveTexturePath(search, "in_project.png"), project + "\\in_project.png");
    EXPECT_EQ(ResolveTexturePath(search, "elsewhere.png"), scenes + "\\elsewhere.png");
    EXPECT_EQ(ResolveTexturePath(search, "C:\\maps\\a.png"), "C:\\maps\\a.png");
    EXPECT_EQ(ResolveTexturePath(search, "\\\\server\\a.png"), "\\\\server\\a.png");
    EXPECT_EQ(ResolveTexturePath(search, "/abs/a.png"), "/abs/a.png");
    EXPECT_EQ(ResolveTexturePath(TextureSearch{"", "hero.max", {}}, "a.png"), ".\\a.png");
    // A folder is not a texture file.
    EXPECT_EQ(ResolveTexturePath(search, "."), scenes + "\\.");
    EXPECT_TRUE(TextureFileExists(project + "\\in_project.png"));
    EXPECT_EQ(TextureBaseName("C:\\maps/sub\\rock face.tga"), "rock_face");
    EXPECT_TRUE(HasExtension("a.b\\list.ifl", "ifl"));
    EXPECT_FALSE(HasExtension("list.IFL", "ifl"));
}

TEST(TextureSources, TransformIsSampledPerFrameWithFlipAdjusted) {
    DocumentRun run(R"({"materials": [{"class": "standard", "name": "M", "diffuse_map": {"file_name": "a.tga",
        "u_mirror": true, "u_tiling": 0.5, "u_offset": {"keys": [[0, 0.1], [10, 10.1]]},
        "v_repeat": false, "v_mirror": true, "v_tiling": 0, "v_offset": 0.3, "w_angle": -90}},
        {"class": "standard", "name": "N", "diffuse_map": {"file_name": "a.tga", "u_repeat": false}}]})");
    run.Image("a.tga", TrueColorTga(8, 8));
    ASSERT_TRUE(run.Materials(2, 3));
    const ExportMaterial& m = run.Material("M");
    EXPECT_EQ(m.tex_tiling_s, Tiling::Flip);  // mirror wins over repeat
    EXPECT_EQ(m.tex_tiling_t, Tiling::Flip);
    // Frame 2: offset 2.1 (8602 / 4096) moved by 0.25 / 0.5, scale doubled.
    EXPECT_EQ(m.tex_translate_s, (std::vector<float>{(8602 - 2048) / 4096.0f, (12698 - 2048) / 4096.0f}));
    EXPECT_EQ(m.tex_scale_s, (std::vector<float>{1.0f, 1.0f}));
    // A zero scale is doubled but moves nothing.
    EXPECT_EQ(m.tex_scale_t, (std::vector<float>{0.0f, 0.0f}));
    EXPECT_EQ(m.tex_translate_t, (std::vector<float>(2, 1229.0f / 4096.0f)));
    EXPECT_EQ(m.tex_rotate, (std::vector<float>{90.0f, 90.0f}));
    const ExportMaterial& n = run.Material("N");
    EXPECT_EQ(n.tex_tiling_s, Tiling::Clamp);
    EXPECT_EQ(n.tex_tiling_t, Tiling::Repeat);
}

TEST(TextureSources, ImageFileListsBecomePatterns) {
    DocumentRun run(R"({"materials": [)" + TexturedMaterial("Walk", "walk.ifl") + "]}");
    run.Image("b.tga", TrueColorTga(8, 8));
    run.Image("a.tga", TrueColorTga(8, 8));
    run.Image("walk.ifl", "; walk cycle\r\nb.tga 2\r\n\r\n  a.tga\r\n");
    run.Image("self.ifl", "self.ifl\n");
    run.Image("lost.ifl", "a.tga\nnowhere.tga 3\n");
    ASSERT_TRUE(run.Materials());
    const ExportMaterial& walk = run.Material("Walk");
    EXPECT_TRUE(walk.is_ifl);
    EXPECT_EQ(walk.texture_frame_count, 2);
    EXPECT_EQ(walk.pattern_images, (Strings{run.HostPath("b.tga"), run.HostPath("a.tga")}));
    EXPECT_EQ(walk.pattern_counts, (std::vector<int32_t>{2, 1}));
    // The image first in the texture list as collected, before sorting.
    EXPECT_EQ(walk.texture_path, run.HostPath("b.tga"));
    ASSERT_EQ(run.scene.textures.size(), 2u);
    EXPECT_EQ(run.scene.textures[0].name, "a");

    const auto boxes = [&run](const std::string& list) {
        DocumentRun failing(R"({"materials": [)" + TexturedMaterial("M", list) + "]}");
        for (const char* file : {"a.tga", "self.ifl", "lost.ifl"}) {
            failing.Image(file, test::ReadFile(run.folder.file(file)));
        }
        EXPECT_FALSE(failing.Materials());
        return failing.BoxTexts();
    };
    EXPECT_EQ(boxes("lost.ifl"), Strings{"Error: IFL File is incorrect."});
    // A list naming itself is one image that is no image.
    EXPECT_EQ(boxes("self.ifl"),
              Strings{"Bitmap Error: Failed to open texture on material M at path: <dir>\\self.ifl"});
    EXPECT_EQ(boxes("none.ifl"),
              (Strings{"IFL File Read Error: Error reading IFL file: <dir>\\none.ifl applied to material: M",
                       "Can't open IFL file: Can't open file. <dir>\\none.ifl"}));
}

}  // namespace
}  // namespace korvo
