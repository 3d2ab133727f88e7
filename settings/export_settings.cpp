#include "settings/export_settings.h"

#include <utility>

namespace korvo {

void ResetSettings(SettingsState& state, bool keep_output) {
    ExportSettings defaults;
    if (keep_output) {
        defaults.output_file_name = std::move(state.settings.output_file_name);
        defaults.output_folder = std::move(state.settings.output_folder);
    }
    state.settings = std::move(defaults);
    state.dialog_rect = DialogRect{};
}

void RepairSettings(ExportSettings& settings) {
    const ExportSettings defaults;
    // Written as "not at least" so that a NaN is repaired as well.
    const auto repair = [](float& value, float replacement) {
        if (!(value >= 0.0001f)) value = replacement;
    };
    repair(settings.magnify, 1.0f);
    repair(settings.tolerance_scale, defaults.tolerance_scale);
    repair(settings.tolerance_rotate, defaults.tolerance_rotate);
    repair(settings.tolerance_translate, defaults.tolerance_translate);
    repair(settings.tolerance_tex_scale, defaults.tolerance_tex_scale);
    repair(settings.tolerance_tex_rotate, defaults.tolerance_tex_rotate);
    repair(settings.tolerance_tex_translate, defaults.tolerance_tex_translate);
}

}  // namespace korvo
