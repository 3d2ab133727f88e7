#include "settings/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/atomic_file.h"
#include "core/generator.h"
#include "core/text_encoding.h"
#include "settings/settings_keys.h"

namespace korvo {

namespace {

std::string FormatFloat(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    std::string text = buffer;
    // Whole numbers get ".0" so they read as decimals (1 is written 1.0).
    // Only when "%g" printed plain digits: a whole number that came out
    // with an exponent stays "1e+06" rather than become "1e+06.0".
    if (text.find_first_not_of("-0123456789") == std::string::npos) text += ".0";
    return text;
}

std::string FormatValue(const SettingKey& entry, const ExportSettings& settings) {
    switch (entry.kind) {
    case SettingKind::TwoWords:
        return std::string(entry.words[settings.*entry.int_field != 0 ? 0 : 1]);
    case SettingKind::Choice: {
        // A value with no word (a damaged settings block) is written as the
        // default's word, so the file stays readable.
        int32_t index = settings.*entry.int_field;
        if (index < 0 || static_cast<std::size_t>(index) >= entry.words.size()) {
            index = ExportSettings{}.*entry.int_field;
        }
        return std::string(entry.words[static_cast<std::size_t>(index)]);
    }
    case SettingKind::Integer:
        return std::to_string(settings.*entry.int_field);
    case SettingKind::Float:
        return FormatFloat(settings.*entry.float_field);
    case SettingKind::Text:
        return settings.*entry.text_field;
    }
    return {};
}

void ApplyValue(const SettingKey& entry, std::string_view value, ExportSettings& settings) {
    switch (entry.kind) {
    case SettingKind::TwoWords:
        settings.*entry.int_field = value == entry.words[0] ? 1 : 0;
        break;
    case SettingKind::Choice: {
        const auto found = std::find(entry.words.begin(), entry.words.end(), value);
        if (found != entry.words.end()) settings.*entry.int_field = static_cast<int32_t>(found - entry.words.begin());
        break;
    }
    case SettingKind::Integer:
        ParseIntPrefix(value, settings.*entry.int_field);
        break;
    case SettingKind::Float:
        ParseFloatPrefix(value, settings.*entry.float_field);
        break;
    case SettingKind::Text:
        settings.*entry.text_field = std::string(value);
        break;
    }
}

// The text between the first double quote and the next one; the rest of
// the line when the second is missing.
std::string_view QuotedValue(std::string_view line) {
    const std::size_t open = line.find('"');
    if (open == std::string_view::npos) return {};
    line.remove_prefix(open + 1);
    return line.substr(0, line.find('"'));
}

void ApplyLine(std::string_view line, ExportSettings& settings) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.starts_with('#')) return;
    for (const SettingKey& entry : SettingKeys()) {
        if (line.size() > entry.key.size() && line.starts_with(entry.key) && line[entry.key.size()] == '=') {
            ApplyValue(entry, QuotedValue(line), settings);
            return;
        }
    }
}

}  // namespace

std::string FormatSettingsFile(ExportSettings& settings, const LocalTime& now) {
    std::replace(settings.output_folder.begin(), settings.output_folder.end(), '\\', '/');
    std::replace(settings.merge_imd_path.begin(), settings.merge_imd_path.end(), '\\', '/');

    std::string text = "# KVS_Export settings\n";
    text += "settings_version=\"1.0\"\n";
    text += "generator_name=\"" + GeneratorName() + "\"\n";
    text += "generator_version=\"" + std::string(kGeneratorVersion) + "\"\n";
    char date[96];
    std::snprintf(date, sizeof date, "date=\"%d-%.2d-%.2dT%.2d:%.2d:%.2d\"\n", now.year, now.month, now.day, now.hour,
                  now.minute, now.second);
    text += date;
    for (const SettingKey& entry : SettingKeys()) {
        if (!entry.heading.empty()) text += "\n" + std::string(entry.heading) + "\n";
        text += std::string(entry.key) + "=\"" + FormatValue(entry, settings) + "\"\n";
    }
    return text;
}

bool WriteSettingsFile(const std::string& path, ExportSettings& settings, const LocalTime& now, Feedback& feedback) {
    // The slash conversion sticks only when the file was written.
    ExportSettings written = settings;
    const std::string text = FormatSettingsFile(written, now);
    // Renaming over a file would replace one the user made read-only.
    if (IsReadOnlyFile(path) || !WriteFileAtomically(path, EncodeShiftJis(text).bytes)) {
        feedback.MessageBox("Can't save file. " + path, "Can't save k3es settings file", MessageStyle::Error);
        return false;
    }
    settings = std::move(written);
    return true;
}

bool ReadSettingsFile(const std::string& path, ExportSettings& settings) {
    // A folder would open and read as empty.
    std::error_code ignored;
    if (std::filesystem::is_directory(path, ignored)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    ApplySettingsText(DecodeInputText(bytes), settings);
    return true;
}

// Lines are taken whole however long they are. The format was made for
// lines of at most 255 characters; a longer one is still one key and its
// whole value rather than pieces that could be misread as further lines,
// and its text value is kept in full.
void ApplySettingsText(std::string_view text, ExportSettings& settings) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        ApplyLine(text.substr(0, end), settings);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
}

}  // namespace korvo
