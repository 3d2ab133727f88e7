#pragma once
// The words that stand for small enumerated values in the model file.

#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>

namespace korvo {

// The word for value; the first word when the value is out of range, so a
// damaged record still gives a readable file.
template <std::size_t N>
const char* Word(const std::array<const char*, N>& words, int32_t value) {
    return value >= 0 && static_cast<std::size_t>(value) < N ? words[static_cast<std::size_t>(value)] : words[0];
}

// The word for an enumerator, by its number.
template <std::size_t N, class Enum>
    requires std::is_enum_v<Enum>
const char* Word(const std::array<const char*, N>& words, Enum value) {
    return Word(words, static_cast<int32_t>(value));
}

inline const char* OnOff(bool value) { return value ? "on" : "off"; }

}  // namespace korvo
