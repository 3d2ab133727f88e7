#pragma once
// Reading a number from the start of a settings value.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvo {

// Number readers that behave like atoi and atof but ignore the locale:
// leading white space and a sign are allowed, reading stops at the first
// character that does not continue the number. They return how many
// characters were used; 0 means there was no number, and value is then 0.
// Integers saturate at the int32 range; floats out of range become
// infinity or 0.
std::size_t ParseIntPrefix(std::string_view text, int32_t& value);
std::size_t ParseFloatPrefix(std::string_view text, float& value);

}  // namespace korvo
