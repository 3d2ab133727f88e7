#include "host/memory/user_properties.h"

#include <cctype>
#include <string_view>

namespace korvo {

namespace {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

std::optional<std::string> UserPropertyText(const std::string& buffer, const std::string& key) {
    std::string_view rest = buffer;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        if (EqualNoCase(Trim(line.substr(0, equals)), Trim(key))) return std::string(Trim(line.substr(equals + 1)));
    }
    return std::nullopt;
}

std::optional<bool> UserPropertyBool(const std::string& buffer, const std::string& key) {
    const std::optional<std::string> text = UserPropertyText(buffer, key);
    if (!text) return std::nullopt;
    for (const char* word : {"true", "yes", "1"}) {
        if (EqualNoCase(*text, word)) return true;
    }
    for (const char* word : {"false", "no", "0"}) {
        if (EqualNoCase(*text, word)) return false;
    }
    return std::nullopt;
}

}  // namespace korvo
