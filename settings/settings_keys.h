#pragma once
// The one table of the settings fields: each field's settings-file key, the
// words it takes, its default and its repair rule. The settings-file reader
// and writer, the command line's `--set key=value`, the defaults, the
// repair and the documentation's list of keys all come from it.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "settings/export_settings.h"
#include "settings/number_prefix.h"

namespace korvo {

enum class SettingKind {
    TwoWords,  // words[0] is stored as 1, words[1] as 0
    Choice,    // words in the order of their stored values
    Integer,
    Float,
    Text,
};

struct SettingField {
    // The settings-file key; for a field without one, the field's name.
    std::string_view key{};
    SettingKind kind{};
    std::span<const std::string_view> words{};
    int32_t ExportSettings::*int_field = nullptr;  // TwoWords, Choice, Integer
    float ExportSettings::*float_field = nullptr;
    std::string ExportSettings::*text_field = nullptr;
    // As a settings file writes it.
    std::string_view default_value{};
    // A Float below this, or not a number, is out of range: repair sets the
    // default. Zero for fields that are never repaired.
    float minimum = 0.0f;
    // One line for the documentation.
    std::string_view meaning{};
    // The comment line a settings file writes before this key, when the key
    // opens a group.
    std::string_view heading{};
    // False for the fields a settings file does not hold.
    bool in_file = true;
};

// Every field; those with a settings-file key come first, in the order a
// settings file writes them.
std::span<const SettingField> SettingFields();

// The field that a settings file names key, or null.
const SettingField* FindSettingKey(std::string_view key);

// A field's value as a settings file writes it. A choice without a word
// (a damaged settings block) gives the default's word, so the file stays
// readable.
std::string FormatSettingValue(const SettingField& field, const ExportSettings& settings);

// Stores a value as the settings-file reader does: a two-valued key is 1
// only for its first word, an unknown choice leaves the field unchanged,
// numbers are read from the start of the value.
void ApplySettingValue(const SettingField& field, std::string_view value, ExportSettings& settings);

// Sets every field to its default.
void ApplyDefaults(ExportSettings& settings);

// Repairs every field that is out of range (see SettingField::minimum).
// Returns one line per repaired field, such as
// "magnify=\"0.0\" is below 0.0001; 1.0 is used".
std::vector<std::string> RepairSettings(ExportSettings& settings);

// Sets one setting from the command line. Stricter than the settings-file
// reader: an unknown key, a word the key does not take (both words of a
// two-valued key are accepted, nothing else), a number with anything after
// it or a value that repair would replace fails, with error saying what is
// valid. Nothing changes on failure.
bool SetSettingByKey(ExportSettings& settings, std::string_view key, std::string_view value, std::string* error);

}  // namespace korvo
