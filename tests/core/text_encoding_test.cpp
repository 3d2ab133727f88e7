#include "core/text_encoding.h"

#include <gtest/gtest.h>

#include <random>

namespace korvo {
namespace {

TEST(TextEncodingTest, UnencodableAndInvalidInputBecomesQuestionMarks) {
    // "é" and an emoji have no Shift_JIS form; 0xFF and a cut-off sequence
    // are not UTF-8. Each counts once.
    const ShiftJisResult result = EncodeShiftJis("a\xC3\xA9" "b\xF0\x9F\x98\x80" "c\xFF" "d\xE3\x83");
    EXPECT_EQ(result.bytes, "a?b?c?d?");
    EXPECT_EQ(result.replaced, 4);
    // Japanese, with the code page's extensions, is checked through the file
    // frame; ASCII, backslash and tilde included, passes as it is.
    const ShiftJisResult ascii = EncodeShiftJis("C:\\scenes\\a~b.max\n");
    EXPECT_EQ(ascii.bytes, "C:\\scenes\\a~b.max\n");
    EXPECT_EQ(ascii.replaced, 0);
}

TEST(TextEncodingTest, DecodesUtf8BomShiftJisAndGarbage) {
    EXPECT_EQ(DecodeInputText("plain\r\n\xE9\xA0\xAD"), "plain\r\n\xE9\xA0\xAD");
    EXPECT_EQ(DecodeInputText("\xEF\xBB\xBFkey=value"), "key=value");
    EXPECT_EQ(DecodeInputText(""), "");
    // Shift_JIS モデル and a half-width katakana.
    EXPECT_EQ(DecodeInputText("\x83\x82\x83\x66\x83\x8B.ifl \xB1"), "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB.ifl \xEF\xBD\xB1");
    // A lead byte before a line break loses only itself; a lone lead byte at
    // the end and bytes Shift_JIS never uses become "?".
    EXPECT_EQ(DecodeInputText("a\x81\nb\xFF\xFD" "c\x83"), "a?\nb??c?");
}

TEST(TextEncodingTest, RoundTripsAndSurvivesRandomBytes) {
    const std::string japanese = "\xE3\x83\xA2\xE3\x83\x87\xE3\x83\xAB_\xE9\xA0\xAD 01";
    EXPECT_EQ(DecodeInputText(EncodeShiftJis(japanese).bytes), japanese);

    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        std::string bytes(random() % 64, '\0');
        for (char& c : bytes) c = static_cast<char>(random());
        bytes.insert(random() % (bytes.size() + 1), 1, '\xFF');  // never valid UTF-8
        const std::string text = DecodeInputText(bytes);
        // Whatever came in, what goes out is UTF-8 that encodes without loss
        // apart from the "?" already in it.
        EXPECT_EQ(EncodeShiftJis(text).replaced, 0) << round;
        EncodeShiftJis(bytes);
    }
}

}  // namespace
}  // namespace korvo
