#include "settings/number_prefix.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace korvo {

namespace {

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips leading white space and one sign; returns the position after them.
std::size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    return i;
}

// from_chars leaves the value alone when it is out of range; tell an
// overflow from an underflow by the number's exponent or integer part.
double OutOfRangeValue(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const bool underflow = e != std::string_view::npos
                               ? e + 1 < number.size() && number[e + 1] == '-'
                               : number.find_first_of("123456789") > number.find('.');
    return underflow ? 0.0 : std::numeric_limits<double>::infinity();
}

}  // namespace

std::size_t ParseIntPrefix(std::string_view text, int32_t& value) {
    bool negative = false;
    std::size_t i = SkipSpaceAndSign(text, negative);
    const std::size_t digits_start = i;
    int64_t magnitude = 0;
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), limit);
    }
    if (i == digits_start) {
        value = 0;
        return 0;
    }
    const int64_t signed_value = negative ? -magnitude : std::min(magnitude, limit - 1);
    value = static_cast<int32_t>(signed_value);
    return i;
}

std::size_t ParseFloatPrefix(std::string_view text, float& value) {
    bool negative = false;
    const std::size_t start = SkipSpaceAndSign(text, negative);
    value = 0.0f;
    // A second sign is not a number ("--1"), though from_chars would take it.
    if (start >= text.size() || text[start] == '-' || text[start] == '+') return 0;
    double parsed = 0.0;
    const char* first = text.data() + start;
    const auto [end, status] = std::from_chars(first, text.data() + text.size(), parsed);
    if (status == std::errc::invalid_argument) return 0;
    if (status == std::errc::result_out_of_range) {
        parsed = OutOfRangeValue(std::string_view(first, static_cast<std::size_t>(end - first)));
    }
    if (negative) parsed = -parsed;
    const double largest = std::numeric_limits<float>::max();
    if (std::isnan(parsed) || std::abs(parsed) <= largest) {
        value = static_cast<float>(parsed);
    } else {
        value = parsed > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    }
    return static_cast<std::size_t>(end - text.data());
}

}  // namespace korvo
