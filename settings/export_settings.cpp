#include "settings/export_settings.h"

#include <utility>

#include "settings/settings_keys.h"

namespace korvo {

ExportSettings::ExportSettings() { ApplyDefaults(*this); }

void ResetSettings(SettingsState& state, bool keep_output) {
    ExportSettings defaults;
    if (keep_output) {
        defaults.output_file_name = std::move(state.settings.output_file_name);
        defaults.output_folder = std::move(state.settings.output_folder);
    }
    state.settings = std::move(defaults);
    state.dialog_rect = DialogRect{};
}

}  // namespace korvo
