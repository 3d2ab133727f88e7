#include "host/memory/memory_bitmap_manager.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host/memory/memory_scene.h"
#include "support/test_support.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

namespace korvo {
namespace {

void WritePng(const std::string& path, int width, int height, int channels, const std::vector<uint8_t>& pixels) {
    ASSERT_TRUE(stbi_write_png(path.c_str(), width, height, channels, pixels.data(), width * channels));
}

TEST(MemoryBitmapManager, DecodesPixelsAsFloatsWithTheirAlpha) {
    test::TempDir dir;
    WritePng(dir.file("rgba.png"), 2, 1, 4, {128, 0, 255, 64, 1, 2, 3, 255});
    WritePng(dir.file("rgb.png"), 1, 2, 3, {10, 20, 30, 40, 50, 60});
    MemoryBitmapManager manager;
    const auto rgba = manager.Load(dir.file("rgba.png"));
    ASSERT_NE(rgba, nullptr);
    EXPECT_EQ(rgba->Width(), 2);
    EXPECT_EQ(rgba->Height(), 1);
    EXPECT_TRUE(rgba->HasAlpha());
    EXPECT_EQ(rgba->Row(0), (std::vector<float>{128 / 255.0f, 0.0f, 1.0f, 64 / 255.0f, 1 / 255.0f, 2 / 255.0f,
                                                3 / 255.0f, 1.0f}));
    // A backslash stands for a slash.
    const auto rgb = manager.Load(dir.path().string() + "\\rgb.png");
    ASSERT_NE(rgb, nullptr);
    EXPECT_FALSE(rgb->HasAlpha());
    EXPECT_EQ(rgb->Row(1), (std::vector<float>{40 / 255.0f, 50 / 255.0f, 60 / 255.0f, 1.0f}));
}

// A real photograph reads; a truncated copy, a header claiming 20000 x 10
// pixels with no pixel data, text, an empty file and no file do not.
TEST(MemoryBitmapManager, ReadsARealPhotographButNoBrokenImage) {
    const std::string photo = test::AssetPath("images/chelsea.png");
    if (!std::filesystem::exists(photo)) GTEST_SKIP() << "no " << photo;
    MemoryBitmapManager manager;
    const auto bitmap = manager.Load(photo);
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->Width(), 451);
    EXPECT_EQ(bitmap->Height(), 300);
    const std::vector<float> row = bitmap->Row(150);
    ASSERT_EQ(row.size(), 451u * 4);
    for (float c : row) ASSERT_TRUE(c >= 0.0f && c <= 1.0f);

    test::TempDir dir;
    const std::string bytes = test::ReadFile(photo);
    test::WriteFile(dir.file("cut.png"), bytes.substr(0, bytes.size() / 2));
    test::WriteFile(dir.file("empty.png"), "");
    test::WriteFile(dir.file("text.png"), "just text");
    test::WriteFile(dir.file("huge.png"),
                    std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\x4e\x20\0\0\0\x0a\x08\x02\0\0\0\0\0\0\0", 33));
    for (const char* name : {"cut.png", "empty.png", "text.png", "huge.png", "missing.png", ""}) {
        EXPECT_EQ(manager.Load(dir.file(name)), nullptr) << name;
    }
    EXPECT_EQ(manager.Load(""), nullptr);
}

TEST(MemoryBitmapManager, TexmapsFindRelativeFilesAsTheHostDoes) {
    test::TempDir dir;
    std::filesystem::create_directories(dir.path() / "scene" / "maps");
    std::filesystem::create_directories(dir.path() / "library");
    WritePng((dir.path() / "scene" / "maps" / "near.png").string(), 1, 1, 3, {1, 2, 3});
    WritePng((dir.path() / "library" / "far.png").string(), 1, 1, 3, {1, 2, 3});
    MemoryScene scene;
    scene.file_path = (dir.path() / "scene" / "hero.max").string();
    scene.bitmap_manager.map_directories = {(dir.path() / "library").string()};
    MemoryTexmap& near = scene.AddTexmap("near", "bitmap");
    near.file_name = "maps\\near.png";
    MemoryTexmap& far = scene.AddTexmap("far", "bitmap");
    far.file_name = "C:\\art\\far.png";
    MemoryTexmap& lost = scene.AddTexmap("lost", "bitmap");
    lost.file_name = "lost.png";
    scene.Link();
    EXPECT_NE(near.Bitmap(0), nullptr);
    EXPECT_NE(far.Bitmap(0), nullptr);
    EXPECT_EQ(lost.Bitmap(0), nullptr);
}

}  // namespace
}  // namespace korvo
