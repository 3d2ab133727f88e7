#include "settings/export_settings.h"

#include <gtest/gtest.h>

#include <limits>

#include "settings/settings_keys.h"

namespace korvo {
namespace {

TEST(ExportSettings, ResetKeepsOutputOnlyWhenAsked) {
    SettingsState changed;
    changed.settings.output_file_name = "robot";
    changed.settings.output_folder = "C:/out";
    changed.settings.merge_imd_path = "base.imd";
    changed.settings.magnify = 4;
    changed.save_load_scene_settings = 0;
    changed.dialog_rect = {1, 2, 3, 4};

    SettingsState kept = changed;
    ResetSettings(kept, true);
    SettingsState expected;
    expected.settings.output_file_name = "robot";
    expected.settings.output_folder = "C:/out";
    expected.save_load_scene_settings = 0;  // menu state is not an export option
    EXPECT_EQ(kept, expected);

    ResetSettings(changed, false);
    expected.settings = ExportSettings{};
    EXPECT_EQ(changed, expected);
}

TEST(ExportSettings, RepairReplacesTinyMagnifyAndTolerancesAndSaysSo) {
    ExportSettings s;
    s.magnify = 0;
    s.tolerance_scale = 0.00005f;
    s.tolerance_rotate = -1;
    s.tolerance_translate = std::numeric_limits<float>::quiet_NaN();
    s.tolerance_tex_scale = 0.0001f;
    s.tolerance_tex_rotate = 0.3f;
    s.tolerance_tex_translate = 0;
    s.tolerance_color = 0;
    EXPECT_EQ(RepairSettings(s), (std::vector<std::string>{
                                     "magnify=\"0.0\" is below 0.0001; 1.0 is used",
                                     "tolerance_scale=\"5e-05\" is below 0.0001; 0.1 is used",
                                     "tolerance_rotate=\"-1.0\" is below 0.0001; 0.1 is used",
                                     "tolerance_translate=\"nan\" is below 0.0001; 0.01 is used",
                                     "tolerance_tex_translate=\"0.0\" is below 0.0001; 0.01 is used",
                                 }));
    ExportSettings expected;
    expected.tolerance_tex_scale = 0.0001f;
    expected.tolerance_tex_rotate = 0.3f;
    expected.tolerance_color = 0;
    EXPECT_EQ(s, expected);
    EXPECT_TRUE(RepairSettings(s).empty());
}

}  // namespace
}  // namespace korvo
