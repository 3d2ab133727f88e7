#include "extract/tga_image_reader.h"

#include <gtest/gtest.h>

#include <random>

namespace korvo {
namespace {

using Bytes = std::vector<uint8_t>;

struct TgaSpec {
    uint8_t type = 1;
    uint8_t map_bits = 24;  // 0: no colour map
    uint16_t map_first = 0;
    Bytes map;              // entries as stored
    uint16_t width = 2, height = 2;
    uint8_t pixel_bits = 8;
    uint8_t descriptor = 0;
    Bytes id;
    Bytes pixels;  // as stored
};

Bytes Tga(const TgaSpec& s) {
    const int entry_bytes = (s.map_bits + 7) / 8;
    const int entries = entry_bytes ? static_cast<int>(s.map.size()) / entry_bytes : 0;
    Bytes file{static_cast<uint8_t>(s.id.size()), static_cast<uint8_t>(s.map_bits ? 1 : 0), s.type,
               static_cast<uint8_t>(s.map_first), static_cast<uint8_t>(s.map_first >> 8),
               static_cast<uint8_t>(entries), static_cast<uint8_t>(entries >> 8), s.map_bits, 0, 0, 0, 0,
               static_cast<uint8_t>(s.width), static_cast<uint8_t>(s.width >> 8), static_cast<uint8_t>(s.height),
               static_cast<uint8_t>(s.height >> 8), s.pixel_bits, s.descriptor};
    for (const Bytes* part : {&s.id, &s.map, &s.pixels}) file.insert(file.end(), part->begin(), part->end());
    return file;
}

Bytes Pixels(const Bytes& file) {
    const std::optional<RgbaImage> image = DecodeDirectTga(file);
    return image ? image->pixels : Bytes{};
}

TEST(TgaImageReader, ColourMapsOfEveryEntryWidthAndBothOrigins) {
    // Four indices, stored bottom row first: bottom row 0 1, top row 2 3.
    TgaSpec s;
    s.id = {'h', 'i'};
    s.pixels = {0, 1, 2, 3};
    s.map = {10, 20, 30, 40, 50, 60, 70, 80, 90, 100, 110, 120};  // BGR
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{90, 80, 70, 255, 120, 110, 100, 255, 30, 20, 10, 255, 60, 50, 40, 255}));

    s.descriptor = 0x20;  // top row first
    s.map_bits = 32;
    s.map = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16};  // BGRA
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{3, 2, 1, 4, 7, 6, 5, 8, 11, 10, 9, 12, 15, 14, 13, 16}));

    s.descriptor = 0x30;  // and right to left
    s.map_first = 1;
    s.pixels = {1, 2, 3, 4};
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{7, 6, 5, 8, 3, 2, 1, 4, 15, 14, 13, 16, 11, 10, 9, 12}));

    // 15 bits: blue in bits 0-4, green 5-9, red 10-14; 16 bits: green
    // from bits 6-10 times 4, red from bits 11-15.
    s = TgaSpec{};
    s.width = 1;
    s.height = 1;
    s.pixels = {0};
    s.map_bits = 15;
    s.map = {0x41, 0x7C};  // 0x7C41: red 31, green 2, blue 1
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{248, 16, 8, 255}));
    s.map_bits = 16;
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{120, 68, 8, 255}));

    // Type 4: pixels wider than 8 bits are colours, stored like map entries.
    s = TgaSpec{};
    s.type = 4;
    s.map_bits = 0;
    s.width = 2;
    s.height = 1;
    s.pixel_bits = 24;
    s.pixels = {1, 2, 3, 4, 5, 6};
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{3, 2, 1, 255, 6, 5, 4, 255}));
    s.pixel_bits = 16;
    s.pixels = {0x41, 0x7C, 0, 0x80};
    EXPECT_EQ(Pixels(Tga(s)), (Bytes{120, 68, 8, 255, 128, 0, 0, 255}));
}

TEST(TgaImageReader, AnythingElseIsLeftToTheHost) {
    TgaSpec s;
    s.pixels = {0, 1, 1, 0};
    s.map = {1, 2, 3, 4, 5, 6};
    ASSERT_TRUE(DecodeDirectTga(Tga(s)));
    const auto refused = [&s](void (*change)(TgaSpec&)) {
        TgaSpec t = s;
        change(t);
        return !DecodeDirectTga(Tga(t));
    };
    EXPECT_TRUE(refused([](TgaSpec& t) { t.type = 2; }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.type = 9; }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.map_bits = 8, t.map = {1, 2}; }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.pixel_bits = 12; }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.map_bits = 0, t.map.clear(); }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.pixels = {0, 1, 2, 0}; }));  // an index beyond the map
    EXPECT_TRUE(refused([](TgaSpec& t) { t.width = 0; }));
    EXPECT_TRUE(refused([](TgaSpec& t) { t.width = 60000, t.height = 60000; }));  // beyond the file
    Bytes file = Tga(s);
    file.pop_back();
    EXPECT_FALSE(DecodeDirectTga(file));
    EXPECT_FALSE(ReadDirectTga("/nonexistent/file.tga"));
}

TEST(TgaImageReader, DamagedFilesNeverCrashOrOverAllocate) {
    TgaSpec mapped;
    mapped.width = 3;
    mapped.height = 2;
    mapped.pixels = {0, 1, 2, 2, 1, 0};
    mapped.map = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    TgaSpec direct;
    direct.type = 4;
    direct.map_bits = 0;
    direct.pixel_bits = 32;
    direct.pixels = Bytes(16, 7);
    const std::vector<Bytes> seeds{Tga(mapped), Tga(direct)};
    std::mt19937 random(99);
    for (int round = 0; round < 4000; ++round) {
        Bytes file = seeds[round % 2];
        const int edits = 1 + static_cast<int>(random() % 4);
        for (int e = 0; e < edits; ++e) file[random() % file.size()] = static_cast<uint8_t>(random());
        if (random() % 3 == 0) file.resize(random() % (file.size() + 1));
        const std::optional<RgbaImage> image = DecodeDirectTga(file);
        if (!image) continue;
        const std::size_t pixels = static_cast<std::size_t>(image->width) * image->height;
        EXPECT_EQ(image->pixels.size(), pixels * 4);
        EXPECT_LE(pixels, file.size());  // at least one stored byte per pixel
    }
}

}  // namespace
}  // namespace korvo
