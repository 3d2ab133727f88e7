#include "settings/settings_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <random>

#include "core/text_encoding.h"
#include "support/test_support.h"

namespace korvo {
namespace {

const LocalTime kNow{2009, 7, 8, 14, 5, 9};

TEST(SettingsFile, DefaultsAreWrittenExactly) {
    ExportSettings settings;
    EXPECT_EQ(FormatSettingsFile(settings, kNow),
              "# KVS_Export settings\n"
              "settings_version=\"1.0\"\n"
              "generator_name=\"3dsmax 2010 KVS_Export\"\n"
              "generator_version=\"1.6.0.20090708\"\n"
              "date=\"2009-07-08T14:05:09\"\n"
              "\n"
              "# Output Options\n"
              "export=\"all\"\n"
              "output_file_name=\"\"\n"
              "process_mode=\"intermediate_file\"\n"
              "output_folder=\"\"\n"
              "merge_imd=\"off\"\n"
              "merge_imd_path=\"\"\n"
              "\n"
              "# General Options\n"
              "magnify=\"1.0\"\n"
              "compress_node=\"none\"\n"
              "compress_material=\"off\"\n"
              "frame_range=\"all\"\n"
              "start_frame=\"0\"\n"
              "end_frame=\"0\"\n"
              "\n"
              "# Output File Selection\n"
              "output_imd=\"on\"\n"
              "output_ica=\"off\"\n"
              "output_iva=\"off\"\n"
              "output_ima=\"off\"\n"
              "output_itp=\"off\"\n"
              "output_ita=\"off\"\n"
              "\n"
              "# Imd Options\n"
              "vertex_style=\"direct\"\n"
              "output_texture=\"used\"\n"
              "force_full_weight=\"off\"\n"
              "use_primitive_strip=\"on\"\n"
              "triangulation=\"as_is\"\n"
              "\n"
              "# Animation Options\n"
              "interpolation=\"frame\"\n"
              "interp_end_to_start=\"off\"\n"
              "frame_step_mode=\"1\"\n"
              "\n"
              "# Tolerance Options\n"
              "tolerance_scale=\"0.1\"\n"
              "tolerance_rotate=\"0.1\"\n"
              "tolerance_translate=\"0.01\"\n"
              "tolerance_tex_scale=\"0.1\"\n"
              "tolerance_tex_rotate=\"0.1\"\n"
              "tolerance_tex_translate=\"0.01\"\n"
              "tolerance_color=\"2\"\n");
}

// Every field away from its default, floats that "%g" keeps exactly.
ExportSettings UnusualSettings() {
    ExportSettings s;
    s.export_all = 0;
    s.output_file_name = "robot";
    s.process_mode = 0;
    s.output_folder = "C:\\work\\out";
    s.merge_imd = 1;
    s.merge_imd_path = "D:\\base\\robot.imd";
    s.magnify = 2;
    s.compress_node = 4;
    s.compress_material = 1;
    s.frame_range = 1;
    s.start_frame = -5;
    s.end_frame = 120;
    s.output_imd = 0;
    s.output_ica = s.output_iva = s.output_ima = s.output_itp = s.output_ita = 1;
    s.vertex_style = 1;
    s.output_texture = 1;
    s.force_full_weight = 1;
    s.use_primitive_strip = 0;
    s.triangulation = 3;
    s.interpolation = 1;
    s.interp_end_to_start = 1;
    s.frame_step_mode = 0;
    s.tolerance_scale = 0.25f;
    s.tolerance_rotate = 0.5f;
    s.tolerance_translate = 0.125f;
    s.tolerance_tex_scale = 3;
    s.tolerance_tex_rotate = 0.005f;
    s.tolerance_tex_translate = 1.5f;
    s.tolerance_color = 7;
    return s;
}

TEST(SettingsFile, RoundTripThroughFileConvertsBackslashes) {
    test::TempDir dir;
    test::RecordingFeedback feedback;
    const std::string path = dir.file("round.k3es");

    for (ExportSettings original : {ExportSettings{}, UnusualSettings()}) {
        ExportSettings written = original;
        ASSERT_TRUE(WriteSettingsFile(path, written, kNow, feedback));
        std::replace(original.output_folder.begin(), original.output_folder.end(), '\\', '/');
        std::replace(original.merge_imd_path.begin(), original.merge_imd_path.end(), '\\', '/');
        EXPECT_EQ(written, original) << "the written record keeps the converted paths";

        ExportSettings read;
        ASSERT_TRUE(ReadSettingsFile(path, read));
        EXPECT_EQ(read, original);
    }
    EXPECT_TRUE(feedback.boxes.empty());
}

TEST(SettingsFile, FloatsUseShortestFormWithDecimalPointAndUnknownChoicesTheDefault) {
    ExportSettings s;
    s.magnify = 1e6f;
    s.tolerance_scale = 0.25f;
    s.tolerance_rotate = 2;
    s.tolerance_tex_scale = -3;
    s.compress_node = 9;
    s.frame_step_mode = -1;
    const std::string text = FormatSettingsFile(s, kNow);
    for (const char* line : {"magnify=\"1e+06\"\n", "tolerance_scale=\"0.25\"\n", "tolerance_rotate=\"2.0\"\n",
                             "tolerance_tex_scale=\"-3.0\"\n", "compress_node=\"none\"\n", "frame_step_mode=\"1\"\n"}) {
        EXPECT_TRUE(test::Contains(text, line));
    }
    ExportSettings read;
    ApplySettingsText(text, read);
    EXPECT_EQ(read.magnify, 1e6f);
    EXPECT_EQ(read.tolerance_scale, 0.25f);
    EXPECT_EQ(read.tolerance_rotate, 2.0f);
}

TEST(SettingsFile, OnlyExportSelectionChangesOnlyExport) {
    ExportSettings s = UnusualSettings();
    s.export_all = 1;
    ExportSettings expected = s;
    expected.export_all = 0;
    ApplySettingsText("export=\"selection\"", s);
    EXPECT_EQ(s, expected);
}

TEST(SettingsFile, ReaderRules) {
    ExportSettings s;
    s.merge_imd = 1;
    s.vertex_style = 1;
    s.frame_step_mode = 3;
    s.compress_node = 2;
    ApplySettingsText(
        "merge_imd=\"ON\"\n"                  // words are case-sensitive: stored as off
        "vertex_style=\"Index\"\r\n"          // two-valued, unknown word: second value
        "frame_step_mode=\"8\"\n"             // multi-valued, unknown word: unchanged
        "compress_node=\"\"\n"
        "output_texture=\"all\"\r\n"
        "triangulation=\"generate_quads\"\n"
        "#export=\"selection\"\n"
        "Export=\"selection\"\n"
        "export =\"selection\"\n"
        "process_mode\n"
        "settings_version=\"9\"\n"
        "start_frame=\" 12abc\"\n"
        "end_frame=\"abc\"\n"
        "tolerance_color=\"+3\"\n"
        "magnify=\"-2.5e1x\"\n"
        "tolerance_scale=\"\"\n"
        "output_file_name=  \"a b\" \"c\"\n"
        "output_folder=\"no closing quote\r\n"
        "merge_imd_path=no quotes at all\n"
        "output_isd=\"on\"\n",                 // a field without a key
        s);
    EXPECT_EQ(s.merge_imd, 0);
    EXPECT_EQ(s.vertex_style, 0);
    EXPECT_EQ(s.frame_step_mode, 3);
    EXPECT_EQ(s.compress_node, 2);
    EXPECT_EQ(s.output_texture, 1);
    EXPECT_EQ(s.triangulation, 2);
    EXPECT_EQ(s.export_all, 1);
    EXPECT_EQ(s.process_mode, 1);
    EXPECT_EQ(s.start_frame, 12);
    EXPECT_EQ(s.end_frame, 0);
    EXPECT_EQ(s.tolerance_color, 3);
    EXPECT_EQ(s.magnify, -25.0f);
    EXPECT_EQ(s.tolerance_scale, 0.0f);
    EXPECT_EQ(s.output_file_name, "a b");
    EXPECT_EQ(s.output_folder, "no closing quote");
    EXPECT_EQ(s.merge_imd_path, "");
    EXPECT_EQ(s.output_isd, 0);
}

TEST(SettingsFile, LongLineIsOneLine) {
    // Longer than 255 characters, with a key-like text where a 255-character
    // reader would have cut the line.
    const std::string name = std::string(237, 'a') + "export=selection";
    ExportSettings s;
    ApplySettingsText("output_file_name=\"" + name + "\"\nstart_frame=\"4\"\n", s);
    EXPECT_EQ(s.output_file_name, name);
    EXPECT_EQ(s.export_all, 1);
    EXPECT_EQ(s.start_frame, 4);
}

TEST(SettingsFile, ShiftJisNamesReadBackAsUtf8) {
    test::TempDir dir;
    const std::string path = dir.file("sjis.k3es");
    test::WriteFile(path, "output_file_name=\"\x93\xfa\x96\x7b\x8c\xea\"\n");
    ExportSettings s;
    ASSERT_TRUE(ReadSettingsFile(path, s));
    EXPECT_EQ(s.output_file_name, "日本語");

    test::RecordingFeedback feedback;
    s.output_file_name = "モデル_1";
    ASSERT_TRUE(WriteSettingsFile(path, s, kNow, feedback));
    EXPECT_TRUE(test::Contains(test::ReadFile(path), "output_file_name=\"\x83\x82\x83\x66\x83\x8b_1\"\n"));
    ExportSettings read;
    ASSERT_TRUE(ReadSettingsFile(path, read));
    EXPECT_EQ(read.output_file_name, "モデル_1");
}

TEST(SettingsFile, FailuresLeaveSettingsAlone) {
    test::TempDir dir;
    test::RecordingFeedback feedback;
    ExportSettings s = UnusualSettings();

    EXPECT_FALSE(ReadSettingsFile(dir.file("missing.k3es"), s));
    EXPECT_FALSE(ReadSettingsFile(dir.path().string(), s));
    EXPECT_EQ(s, UnusualSettings());

    const std::string bad_path = dir.file("no/such/folder/x.k3es");
    EXPECT_FALSE(WriteSettingsFile(bad_path, s, kNow, feedback));
    EXPECT_EQ(s, UnusualSettings()) << "no slash conversion when nothing was written";
    EXPECT_EQ(test::BoxLines(feedback.boxes),
              std::vector<std::string>{"Can't save k3es settings file: Can't save file. " + bad_path});

    const std::string locked = dir.file("locked.k3es");
    test::WriteFile(locked, "export=\"selection\"\n");
    std::filesystem::permissions(locked, std::filesystem::perms::owner_write, std::filesystem::perm_options::remove);
    EXPECT_FALSE(WriteSettingsFile(locked, s, kNow, feedback));
    EXPECT_EQ(test::ReadFile(locked), "export=\"selection\"\n");
    EXPECT_EQ(feedback.boxes.size(), 2u);
}

TEST(SettingsFile, SurvivesRandomAndMutatedInput) {
    std::mt19937 random(12345);
    ExportSettings defaults;
    const std::string valid = FormatSettingsFile(defaults, kNow);
    const auto byte = [&] { return static_cast<char>(random() & 0xFF); };
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        if (round % 2 == 0) {
            text.resize(random() % 600);
            for (char& c : text) c = byte();
        } else {
            text = valid.substr(0, random() % (valid.size() + 1));
            for (int edit = random() % 8; edit > 0 && !text.empty(); --edit) {
                const std::size_t at = random() % text.size();
                switch (random() % 3) {
                case 0: text[at] = byte(); break;
                case 1: text.insert(at, 1, "\"=\n#\\"[random() % 5]); break;
                default: text.erase(at, 1 + random() % 4); break;
                }
            }
        }
        ExportSettings s;
        ApplySettingsText(text, s);
        ApplySettingsText(DecodeInputText(text), s);
        FormatSettingsFile(s, kNow);
    }
}

}  // namespace
}  // namespace korvo
