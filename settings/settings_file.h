#pragma once
// The ".k3es" settings file: "key=\"value\"" lines, Shift_JIS on disk.

#include <string>
#include <string_view>

#include "core/feedback.h"
#include "settings/export_settings.h"

namespace korvo {

// The whole text of a settings file (UTF-8). Backslashes in output_folder
// and merge_imd_path become slashes, in settings too.
std::string FormatSettingsFile(ExportSettings& settings, const LocalTime& now);

// Writes the file atomically in Shift_JIS. On failure an error box names
// the path, and settings are left as they were.
bool WriteSettingsFile(const std::string& path, ExportSettings& settings, const LocalTime& now, Feedback& feedback);

// Reads a UTF-8 or Shift_JIS settings file into settings, changing only the
// fields whose keys it meets. False, with nothing changed, when the file
// cannot be read.
bool ReadSettingsFile(const std::string& path, ExportSettings& settings);

// The line parser behind ReadSettingsFile. Unknown keys and malformed
// lines are ignored.
void ApplySettingsText(std::string_view text, ExportSettings& settings);

}  // namespace korvo
