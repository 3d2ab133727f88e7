#pragma once
// "menusettings.bin": whether settings travel with scene files, and where
// the options dialog was last placed. 17 bytes: the flag byte, then the
// dialog rectangle as four int32 little-endian.

#include <string>

#include "core/feedback.h"
#include "settings/export_settings.h"

namespace korvo {

inline constexpr const char* kMenuSettingsFileName = "menusettings.bin";
inline constexpr const char* kDefaultSettingsFileName = "max.k3es";

// Places a file in the host's configuration folder. The separator follows
// the folder's own: nothing when it already ends in one, else the first
// slash or backslash it contains, else a backslash.
std::string JoinConfigPath(const std::string& folder, const std::string& name);

// Sets state.menu_settings_read, then reads the flag and the rectangle.
// A missing or short file changes nothing else and returns false.
bool ReadMenuSettings(const std::string& path, SettingsState& state);

// Writes the file atomically; on failure shows an error box naming the path.
bool WriteMenuSettings(const std::string& path, const SettingsState& state, Feedback& feedback);

}  // namespace korvo
