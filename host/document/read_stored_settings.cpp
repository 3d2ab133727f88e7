// The exporter's settings block stored with the scene, as hex or base64.

#include <cstdint>
#include <string>
#include <vector>

#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

constexpr std::size_t kSettingsBlockBytes = 924;

std::string CharacterText(char c, std::size_t position) {
    return "character " + std::to_string(position + 1) + " ('" + std::string(1, c) + "')";
}

std::vector<uint8_t> DecodeHex(const Value& value, const std::string& text) {
    const auto digit = [&](std::size_t i) -> int {
        const char c = text[i];
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        value.Fail(CharacterText(c, i) + " is not a hex digit");
    };
    if (text.size() % 2 != 0) value.Fail("an odd number of hex digits");
    std::vector<uint8_t> bytes;
    for (std::size_t i = 0; i < text.size(); i += 2)
        bytes.push_back(static_cast<uint8_t>(digit(i) * 16 + digit(i + 1)));
    return bytes;
}

std::vector<uint8_t> DecodeBase64(const Value& value, std::string text) {
    std::size_t padding = 0;
    while (!text.empty() && text.back() == '=' && padding < 2) text.pop_back(), ++padding;
    if (text.size() % 4 == 1 || (padding > 0 && (text.size() + padding) % 4 != 0))
        value.Fail("base64 text of a wrong length");
    std::vector<uint8_t> bytes;
    uint32_t bits = 0;
    int bit_count = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        int digit = -1;
        if (c >= 'A' && c <= 'Z') digit = c - 'A';
        if (c >= 'a' && c <= 'z') digit = c - 'a' + 26;
        if (c >= '0' && c <= '9') digit = c - '0' + 52;
        if (c == '+') digit = 62;
        if (c == '/') digit = 63;
        if (digit < 0) value.Fail(CharacterText(c, i) + " is not a base64 digit");
        bits = (bits << 6) | static_cast<uint32_t>(digit);
        bit_count += 6;
        if (bit_count >= 8) {
            bit_count -= 8;
            bytes.push_back(static_cast<uint8_t>(bits >> bit_count));
        }
    }
    return bytes;
}

}  // namespace

std::optional<std::vector<uint8_t>> ReadStoredSettings(const Value& value) {
    std::string hex, base64;
    ObjectReader reader(value);
    const bool has_hex = reader.Read("hex", hex);
    const bool has_base64 = reader.Read("base64", base64);
    reader.Finish();
    if (has_hex == has_base64) value.Fail("give either \"hex\" or \"base64\"");
    const Value text = value.Member(has_hex ? "hex" : "base64");
    const std::vector<uint8_t> bytes = has_hex ? DecodeHex(text, hex) : DecodeBase64(text, base64);
    if (bytes.size() != kSettingsBlockBytes) {
        text.Fail("the settings block is " + std::to_string(kSettingsBlockBytes) + " bytes, found " +
                  std::to_string(bytes.size()));
    }
    return bytes;
}

}  // namespace korvo::document
