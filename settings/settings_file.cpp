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
    for (const SettingField& field : SettingFields()) {
        if (!field.in_file) continue;
        if (line.size() > field.key.size() && line.starts_with(field.key) && line[field.key.size()] == '=') {
            ApplySettingValue(field, QuotedValue(line), settings);
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
    for (const SettingField& field : SettingFields()) {
        if (!field.in_file) continue;
        if (!field.heading.empty()) text += "\n" + std::string(field.heading) + "\n";
        text += std::string(field.key) + "=\"" + FormatSettingValue(field, settings) + "\"\n";
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
