#pragma once
// The words that stand for small enumerated values in the model file.

#include <array>
#include <cstddef>
#include <cstdint>

namespace korvo {

// The word for value; the first word when the value is out of range, so a
// damaged record still gives a readable file.
template <std::size_t N>
const char* Word(const std::array<const char*, N>& words, int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? words[static_cast<std::size_t>(value)] : words[0];
}

inline const char* OnOff(int32_t value) { return value != 0 ? "on" : "off"; }

}  // namespace korvo
