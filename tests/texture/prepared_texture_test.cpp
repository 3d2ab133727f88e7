#include <gtest/gtest.h>

#include <random>
#include <string>

#include "support/prepared_tga.h"
#include "support/test_support.h"
#include "texture/prepared_texture.h"
#include "texture/texture_format.h"

namespace korvo {
namespace {

using test::Chunk;
using test::PreparedTga;
using test::U32;

bool Read(const std::string& path, const std::string& bytes, PreparedTexture& texture) {
    test::WriteFile(path, bytes);
    return ReadPreparedTexture(path, texture);
}

TEST(PreparedTextureTest, ReadsEveryChunkUpToTheToolName) {
    test::TempDir dir;
    std::string colors;
    for (int i = 0; i < 16; ++i) colors += std::string{static_cast<char>(i), static_cast<char>(0x7c)};
    const std::string chunks = Chunk("kvs_frmt", "palette16") + Chunk("kvs_c0xp", "") +
                               Chunk("kvs_txel", std::string("\x01\x02\x03\x04", 4)) +
                               Chunk("kvs_xxxx", "skipped data") + Chunk("kvs_pnam", "shared-pal") +
                               Chunk("kvs_pcol", colors) + Chunk("kvs_gnam", "tool") + "trailing bytes";
    PreparedTexture t;
    ASSERT_TRUE(Read(dir.file("a.tga"), PreparedTga(chunks), t));
    EXPECT_EQ(t.format, kFormatPalette16);
    EXPECT_TRUE(t.color0_transparent);
    EXPECT_EQ(t.texels, (std::vector<uint8_t>{1, 2, 3, 4}));
    EXPECT_TRUE(t.palette_indices.empty());
    EXPECT_EQ(t.palette_name, "shared-pal");
    ASSERT_EQ(t.palette.size(), 16u);  // a kvs_pcol chunk of size 44
    EXPECT_EQ(t.palette[0], 0x7c00);
    EXPECT_EQ(t.palette[15], 0x7c0f);

    PreparedTexture tex4x4;
    ASSERT_TRUE(Read(dir.file("b.tga"),
                     PreparedTga(Chunk("kvs_frmt", "tex4x4") + Chunk("kvs_pidx", "ab") + Chunk("kvs_gnam", "")),
                     tex4x4));
    EXPECT_EQ(tex4x4.format, kFormatTex4x4);
    EXPECT_EQ(tex4x4.palette_indices, (std::vector<uint8_t>{'a', 'b'}));

    PreparedTexture unknown;
    ASSERT_TRUE(Read(dir.file("c.tga"), PreparedTga(Chunk("kvs_frmt", "palette4x") + Chunk("kvs_gnam", "")), unknown));
    EXPECT_EQ(unknown.format, kTextureFormatCount);

    PreparedTexture long_name;
    ASSERT_TRUE(Read(dir.file("d.tga"), PreparedTga(Chunk("kvs_pnam", std::string(1000, 'p')) + Chunk("kvs_gnam", "")),
                     long_name));
    EXPECT_EQ(long_name.palette_name, std::string(kMaxPaletteNameLength, 'p'));
}

TEST(PreparedTextureTest, RefusesFilesThatAreNotPreparedOrBreakTheChunkRules) {
    test::TempDir dir;
    const std::string good = Chunk("kvs_frmt", "direct") + Chunk("kvs_txel", "xy") + Chunk("kvs_gnam", "");
    PreparedTexture t;
    EXPECT_FALSE(Read(dir.file("upper.TGA"), PreparedTga(good), t));
    EXPECT_FALSE(Read(dir.file("plain.tga"), PreparedTga(good, "ordinary image"), t));
    EXPECT_FALSE(Read(dir.file("missing.tga"), "", t));

    PreparedTexture no_end;
    EXPECT_FALSE(
        Read(dir.file("no_end.tga"), PreparedTga(Chunk("kvs_frmt", "a3i5") + Chunk("kvs_pnam", "kept")), no_end));
    EXPECT_EQ(no_end.format, kFormatA3I5);  // what was read before the failure stays
    EXPECT_EQ(no_end.palette_name, "kept");

    EXPECT_FALSE(Read(dir.file("late.tga"),
                      PreparedTga(Chunk("kvs_txel", "xy") + Chunk("kvs_frmt", "direct") + Chunk("kvs_gnam", "")), t));
    // A size below the chunk header, and one reaching past the end.
    EXPECT_FALSE(Read(dir.file("small.tga"), PreparedTga("kvs_txel" + U32(11) + Chunk("kvs_gnam", "")), t));
    EXPECT_FALSE(Read(dir.file("zero.tga"), PreparedTga("kvs_xxxx" + U32(0) + Chunk("kvs_gnam", "")), t));
    EXPECT_FALSE(Read(dir.file("long.tga"), PreparedTga("kvs_txel" + U32(0xfffffff0u) + Chunk("kvs_gnam", "")), t));
    EXPECT_FALSE(Read(dir.file("past.tga"), PreparedTga(Chunk("kvs_gnam", "").substr(0, 11)), t));
    // The chunk block offset itself past the end.
    std::string far = PreparedTga(good);
    far.replace(34, 4, U32(0xffffffffu));
    EXPECT_FALSE(Read(dir.file("far.tga"), far, t));
}

// Random and truncated chunk blocks: every read ends, without a crash, and
// holds no more data than the file had.
TEST(PreparedTextureTest, SurvivesRandomAndTruncatedChunkBlocks) {
    test::TempDir dir;
    const std::string path = dir.file("fuzz.tga");
    std::mt19937 random(7);
    const std::vector<std::string> tags = {"kvs_frmt", "kvs_c0xp", "kvs_txel", "kvs_pidx",
                                           "kvs_pnam", "kvs_pcol", "kvs_gnam", "kvs_junk"};
    for (int round = 0; round < 400; ++round) {
        std::string chunks;
        const int count = static_cast<int>(random() % 6);
        for (int c = 0; c < count; ++c) {
            std::string data(random() % 40, '\0');
            for (char& b : data) b = static_cast<char>(random());
            std::string chunk = Chunk(tags[random() % tags.size()], data);
            if (random() % 4 == 0) chunk.replace(8, 4, U32(static_cast<uint32_t>(random())));
            chunks += chunk;
        }
        std::string file = PreparedTga(chunks);
        if (round % 2 == 1) file.resize(random() % (file.size() + 1));
        PreparedTexture t;
        Read(path, file, t);
        EXPECT_LE(t.texels.size() + t.palette_indices.size() + t.palette.size() * 2, file.size());
    }
}

}  // namespace
}  // namespace korvo
