#pragma once
// The keys of a settings file, the words each takes, and the record field
// behind each. The settings-file reader and writer and the command line's
// `--set key=value` all go through this one table.

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "settings/export_settings.h"

namespace korvo {

enum class SettingKind {
    TwoWords,  // words[0] is stored as 1, words[1] as 0
    Choice,    // words in the order of their stored values
    Integer,
    Float,
    Text,
};

struct SettingKey {
    std::string_view key;
    SettingKind kind;
    std::span<const std::string_view> words;
    int32_t ExportSettings::*int_field = nullptr;  // TwoWords, Choice, Integer
    float ExportSettings::*float_field = nullptr;
    std::string ExportSettings::*text_field = nullptr;
    // The comment line a settings file writes before this key, when the key
    // opens a group.
    std::string_view heading;
};

// Every key, in the order a settings file writes them.
std::span<const SettingKey> SettingKeys();

// The entry for key, or null.
const SettingKey* FindSettingKey(std::string_view key);

// Number readers that behave like atoi and atof but ignore the locale:
// leading white space and a sign are allowed, reading stops at the first
// character that does not continue the number. They return how many
// characters were used; 0 means there was no number, and value is then 0.
// Integers saturate at the int32 range; floats out of range become
// infinity or 0.
std::size_t ParseIntPrefix(std::string_view text, int32_t& value);
std::size_t ParseFloatPrefix(std::string_view text, float& value);

// Sets one setting from the command line. Stricter than the settings-file
// reader: an unknown key, a word the key does not take (both words of a
// two-valued key are accepted, nothing else) or a number with anything
// after it fails, with error saying what is valid. Nothing changes on
// failure.
bool SetSettingByKey(ExportSettings& settings, std::string_view key, std::string_view value, std::string* error);

}  // namespace korvo
