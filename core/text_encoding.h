#pragma once
// Text is UTF-8 inside the program. Output files are Shift_JIS; input text
// files (settings, image lists, batch files) may be either.

#include <string>
#include <string_view>

namespace korvo {

struct ShiftJisResult {
    std::string bytes;
    // Characters that Shift_JIS cannot hold; each became "?".
    int replaced = 0;
};

// Converts UTF-8 text to Shift_JIS. Invalid UTF-8 sequences count as
// unencodable characters.
ShiftJisResult EncodeShiftJis(std::string_view utf8);

// Decodes the bytes of an input text file to UTF-8: valid UTF-8 (a byte
// order mark is dropped) is taken as it is, anything else is read as
// Shift_JIS, with undecodable bytes becoming "?".
std::string DecodeInputText(std::string_view bytes);

}  // namespace korvo
