#include "settings/menu_settings.h"

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace korvo {
namespace {

TEST(MenuSettings, RoundTripIsSeventeenLittleEndianBytes) {
    test::TempDir dir;
    test::RecordingFeedback feedback;
    const std::string path = dir.file("menusettings.bin");
    SettingsState state;
    state.save_load_scene_settings = 0;
    state.dialog_rect = {0x01020304, -2, 640, 480};
    ASSERT_TRUE(WriteMenuSettings(path, state, feedback));
    const std::string expected_bytes("\x00"                  // flag
                                     "\x04\x03\x02\x01"    // left
                                     "\xfe\xff\xff\xff"    // top
                                     "\x80\x02\x00\x00"    // right
                                     "\xe0\x01\x00\x00",   // bottom
                                     17);
    EXPECT_EQ(test::ReadFile(path), expected_bytes);

    SettingsState read;
    read.settings.magnify = 3;
    ASSERT_TRUE(ReadMenuSettings(path, read));
    EXPECT_TRUE(read.menu_settings_read);
    EXPECT_EQ(read.save_load_scene_settings, 0);
    EXPECT_EQ(read.dialog_rect, state.dialog_rect);
    EXPECT_EQ(read.settings.magnify, 3.0f);
    EXPECT_TRUE(feedback.boxes.empty());
}

TEST(MenuSettings, MissingOrShortFileOnlyMarksTheReadAndAnUnwritableOneShowsAnError) {
    test::TempDir dir;
    const std::string path = dir.file("menusettings.bin");
    SettingsState state;
    EXPECT_FALSE(ReadMenuSettings(path, state));
    EXPECT_TRUE(state.menu_settings_read);
    test::WriteFile(path, std::string(16, '\0'));
    state.menu_settings_read = false;
    EXPECT_FALSE(ReadMenuSettings(path, state));
    SettingsState expected;
    expected.menu_settings_read = true;
    EXPECT_EQ(state, expected);

    test::RecordingFeedback feedback;
    const std::string unwritable = dir.file("missing/menusettings.bin");
    EXPECT_FALSE(WriteMenuSettings(unwritable, SettingsState{}, feedback));
    EXPECT_EQ(test::BoxLines(feedback.boxes),
              std::vector<std::string>{"Can't open menu settings file: Can't open file. " + unwritable});
}

TEST(MenuSettings, JoinConfigPathFollowsTheFoldersSeparator) {
    EXPECT_EQ(JoinConfigPath("", "max.k3es"), "\\max.k3es");
    EXPECT_EQ(JoinConfigPath("C:\\3dsmax\\plugcfg", "max.k3es"), "C:\\3dsmax\\plugcfg\\max.k3es");
    EXPECT_EQ(JoinConfigPath("C:\\3dsmax\\plugcfg\\", "max.k3es"), "C:\\3dsmax\\plugcfg\\max.k3es");
    EXPECT_EQ(JoinConfigPath("/home/me/cfg", "menusettings.bin"), "/home/me/cfg/menusettings.bin");
    EXPECT_EQ(JoinConfigPath("/home/me/cfg/", "menusettings.bin"), "/home/me/cfg/menusettings.bin");
    EXPECT_EQ(JoinConfigPath("C:/max\\cfg", "max.k3es"), "C:/max\\cfg/max.k3es");
    EXPECT_EQ(JoinConfigPath("cfg", "max.k3es"), "cfg\\max.k3es");
}

}  // namespace
}  // namespace korvo
