#include "core/export_names.h"

#include <gtest/gtest.h>

#include <random>

namespace korvo {
namespace {

// The naming as one pass over every earlier name.
std::string PlainUniqueName(const std::vector<std::string>& earlier, const std::string& base) {
    std::string candidate = base;
    int suffix = 0;
    for (const std::string& name : earlier) {
        if (name == candidate) candidate = base + "_" + std::to_string(++suffix);
    }
    return candidate;
}

TEST(ExportNamesTest, CleansEveryByteOutsideLettersDigitsAndUnderscore) {
    EXPECT_EQ(CleanExportName("Box_01"), "Box_01");
    EXPECT_EQ(CleanExportName("my box.L"), "my_box_L");
    // Hiragana "hako": two Shift_JIS bytes each, none of them ASCII.
    EXPECT_EQ(CleanExportName("\xE3\x81\xAF\xE3\x81\x93"), "____");
    // Katakana "bokkusu" is 83 7B, 83 62, 83 4E, 83 58: the second bytes
    // "b", "N" and "X" are letters.
    EXPECT_EQ(CleanExportName("\xE3\x83\x9C\xE3\x83\x83\xE3\x82\xAF\xE3\x82\xB9"), "___b_N_X");
    // A character Shift_JIS cannot hold is one byte ("?").
    EXPECT_EQ(CleanExportName("a\xF0\x9F\x98\x80-\t"), "a___");
}

// The pool holds suffixed names met before their base, which the one pass
// does not see again.
TEST(ExportNamesTest, MatchesThePlainScanOnRandomNames) {
    std::mt19937 random(7);
    const std::vector<std::string> pool = {"a", "a_1", "a_2", "a_3", "b", "b_1", "a_1_1"};
    for (int round = 0; round < 200; ++round) {
        UniqueNames names;
        std::vector<std::string> given;
        const int count = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < count; ++i) {
            const std::string base = pool[random() % pool.size()];
            const std::string expected = PlainUniqueName(given, base);
            ASSERT_EQ(names.Add(base), expected) << "round " << round << " name " << i;
            given.push_back(expected);
        }
    }
}

}  // namespace
}  // namespace korvo
