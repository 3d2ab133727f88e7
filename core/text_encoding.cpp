#include "core/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <stdexcept>

namespace korvo {

namespace {

// Windows writes and reads "Shift_JIS" as code page 932, which adds the NEC
// and IBM extensions (circled digits, Roman numerals, rarer kanji) that
// artists put in names. glibc's plain SHIFT_JIS lacks them.
constexpr const char* kShiftJisCharset = "CP932";

class IconvConverter {
public:
    IconvConverter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("No text converter from ") + from + " to " + to + ": " +
                                     std::strerror(errno));
        }
    }
    ~IconvConverter() { iconv_close(handle_); }
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // Converts as much of input as it can, appending to out. Returns 0 when
    // all of input was consumed, else the errno that stopped it (EILSEQ or
    // EINVAL); input then starts at the offending byte.
    int Convert(std::string_view& input, std::string& out) {
        char* in = const_cast<char*>(input.data());
        std::size_t in_left = input.size();
        int result = 0;
        while (in_left > 0) {
            // No conversion here more than triples the length.
            const std::size_t start = out.size();
            out.resize(start + in_left * 3 + 16);
            char* out_ptr = out.data() + start;
            std::size_t out_left = out.size() - start;
            const bool stopped = iconv(handle_, &in, &in_left, &out_ptr, &out_left) == static_cast<std::size_t>(-1);
            const int error = stopped ? errno : 0;
            out.resize(out.size() - out_left);
            if (error != 0 && error != E2BIG) {
                result = error;
                break;
            }
        }
        input.remove_prefix(input.size() - in_left);
        return result;
    }

private:
    iconv_t handle_;
};

struct Utf8Sequence {
    std::size_t length;  // bytes it covers, at least 1 for non-empty text
    bool valid;
};

// The UTF-8 sequence at the start of non-empty text. A well-formed one
// (no overlong forms, no surrogates, nothing above U+10FFFF) is valid; a
// broken one covers its longest prefix that could still have become valid,
// so that a cut-off character counts once.
Utf8Sequence NextUtf8Sequence(std::string_view text) {
    const unsigned char lead = static_cast<unsigned char>(text[0]);
    if (lead < 0x80) return {1, true};
    std::size_t needed = 0;
    unsigned char second_low = 0x80, second_high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        needed = 1;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        needed = 2;
        if (lead == 0xE0) second_low = 0xA0;
        if (lead == 0xED) second_high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        needed = 3;
        if (lead == 0xF0) second_low = 0x90;
        if (lead == 0xF4) second_high = 0x8F;
    } else {
        return {1, false};
    }
    for (std::size_t i = 1; i <= needed; ++i) {
        if (i >= text.size()) return {i, false};
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        const unsigned char low = i == 1 ? second_low : 0x80;
        const unsigned char high = i == 1 ? second_high : 0xBF;
        if (byte < low || byte > high) return {i, false};
    }
    return {needed + 1, true};
}

bool IsValidUtf8(std::string_view text) {
    while (!text.empty()) {
        const Utf8Sequence sequence = NextUtf8Sequence(text);
        if (!sequence.valid) return false;
        text.remove_prefix(sequence.length);
    }
    return true;
}

}  // namespace

ShiftJisResult EncodeShiftJis(std::string_view utf8) {
    IconvConverter converter(kShiftJisCharset, "UTF-8");
    ShiftJisResult result;
    result.bytes.reserve(utf8.size());
    const auto is_ascii = [](char c) { return static_cast<unsigned char>(c) < 0x80; };
    while (!utf8.empty()) {
        // ASCII is the same in Shift_JIS (code page 932 keeps "\" and "~"),
        // and files are mostly ASCII: only the runs between go through iconv.
        const auto run_end = std::find_if_not(utf8.begin(), utf8.end(), is_ascii);
        result.bytes.append(utf8.begin(), run_end);
        utf8.remove_prefix(static_cast<std::size_t>(run_end - utf8.begin()));
        const auto other_end = std::find_if(utf8.begin(), utf8.end(), is_ascii);
        std::string_view other = utf8.substr(0, static_cast<std::size_t>(other_end - utf8.begin()));
        utf8.remove_prefix(other.size());
        while (converter.Convert(other, result.bytes) != 0) {
            // A character without a Shift_JIS form, or a broken sequence.
            other.remove_prefix(NextUtf8Sequence(other).length);
            result.bytes += '?';
            ++result.replaced;
        }
    }
    return result;
}

std::string DecodeInputText(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    if (IsValidUtf8(bytes)) return std::string(bytes);

    IconvConverter converter("UTF-8", kShiftJisCharset);
    std::string text;
    text.reserve(bytes.size() * 3 / 2);
    while (converter.Convert(bytes, text) != 0) {
        // Only the offending byte is dropped, so that a lead byte followed
        // by a line break keeps the line break.
        bytes.remove_prefix(1);
        text += '?';
    }
    return text;
}

}  // namespace korvo
