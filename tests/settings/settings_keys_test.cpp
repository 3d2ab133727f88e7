#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <utility>
#include <vector>

#include "settings/settings_reference.h"
#include "support/test_support.h"

namespace korvo {
namespace {

TEST(SettingKeys, SetsByFileKeysAndWords) {
    ExportSettings s;
    std::string error;
    for (const auto& [key, value] : std::vector<std::pair<std::string, std::string>>{
             {"export", "selection"}, {"vertex_style", "index"}, {"merge_imd", "on"}, {"use_primitive_strip", "off"},
             {"compress_node", "unite"}, {"frame_step_mode", "4"}, {"start_frame", "-5"}, {"magnify", "2.5"},
             {"output_folder", "C:\\out"}}) {
        EXPECT_TRUE(SetSettingByKey(s, key, value, &error)) << key << ": " << error;
    }
    ExportSettings expected;
    expected.export_all = 0;
    expected.vertex_style = 1;
    expected.merge_imd = 1;
    expected.use_primitive_strip = 0;
    expected.compress_node = 3;
    expected.frame_step_mode = 3;
    expected.start_frame = -5;
    expected.magnify = 2.5f;
    expected.output_folder = "C:\\out";
    EXPECT_EQ(s, expected);
}

TEST(SettingKeys, RejectsWhatTheFileReaderWouldTolerate) {
    const ExportSettings defaults;
    ExportSettings s;
    std::string error;

    EXPECT_FALSE(SetSettingByKey(s, "exprot", "all", &error));
    EXPECT_NE(error.find("\"exprot\""), std::string::npos) << error;
    EXPECT_NE(error.find("valid keys: export, output_file_name, process_mode,"), std::string::npos) << error;
    EXPECT_NE(error.find(", tolerance_color"), std::string::npos) << error;
    EXPECT_FALSE(SetSettingByKey(s, "settings_version", "1.0", &error));
    EXPECT_FALSE(SetSettingByKey(s, "output_isd", "on", &error)) << "no settings-file key";
    EXPECT_EQ(error.find("output_isd"), error.rfind("output_isd")) << "not among the valid keys: " << error;

    EXPECT_FALSE(SetSettingByKey(s, "merge_imd", "ON", &error));
    EXPECT_EQ(error, "invalid value \"ON\" for merge_imd; valid values: on, off");
    EXPECT_FALSE(SetSettingByKey(s, "export", "everything", &error));
    EXPECT_EQ(error, "invalid value \"everything\" for export; valid values: all, selection");
    EXPECT_FALSE(SetSettingByKey(s, "compress_node", "8", &error));
    EXPECT_EQ(error, "invalid value \"8\" for compress_node; valid values: none, cull, merge, unite, unite_combine");

    for (const char* bad : {"", "12x", "1.5", "x"}) {
        EXPECT_FALSE(SetSettingByKey(s, "end_frame", bad, &error)) << bad;
    }
    EXPECT_EQ(error, "invalid value \"x\" for end_frame: expected a whole number");
    for (const char* bad : {"", "abc", "1.0.0", "nan", "1e400", "--1", "0", "0.00009", "-1"}) {
        EXPECT_FALSE(SetSettingByKey(s, "tolerance_scale", bad, nullptr)) << bad;
    }
    EXPECT_FALSE(SetSettingByKey(s, "magnify", "0", &error));
    EXPECT_EQ(error, "invalid value \"0\" for magnify: expected a number of at least 0.0001");
    EXPECT_EQ(s, defaults);
}

// A typo in a default ("al", "0,1") would be stored as some other value.
TEST(SettingKeys, EveryDefaultIsAValueOfItsField) {
    const ExportSettings defaults;
    for (const SettingField& field : SettingFields()) {
        EXPECT_EQ(FormatSettingValue(field, defaults), field.default_value) << field.key;
    }
}

// The documentation's list of keys is the table's: regenerate it with
// KORVO_UPDATE_DOCS=1 when the table changes.
TEST(SettingKeys, DocumentationListsTheTable) {
    const std::string path = test::SourcePath("docs/settings.md");
    std::string page = test::ReadFile(path);
    const std::string begin = "<!-- settings table: begin -->\n", end = "<!-- settings table: end -->";
    const std::size_t from = page.find(begin), to = page.find(end);
    ASSERT_TRUE(from != std::string::npos && to != std::string::npos && from < to) << path;
    const std::string listed = page.substr(from + begin.size(), to - from - begin.size());
    if (listed != SettingsReference() && std::getenv("KORVO_UPDATE_DOCS")) {
        page.replace(from + begin.size(), listed.size(), SettingsReference());
        test::WriteFile(path, page);
        return;
    }
    EXPECT_EQ(listed, SettingsReference()) << "run the test with KORVO_UPDATE_DOCS=1 to update " << path;
}

TEST(SettingKeys, NumberPrefixesReadLikeAtoiAndAtof) {
    const std::pair<const char*, std::pair<std::size_t, int32_t>> ints[] = {
        {" -12ab", {4, -12}},
        {"+7", {2, 7}},
        {"99999999999", {11, std::numeric_limits<int32_t>::max()}},
        {"-99999999999", {12, std::numeric_limits<int32_t>::min()}},
        {"-", {0, 0}}};
    for (const auto& [text, expected] : ints) {
        int32_t value = -1;
        EXPECT_EQ(ParseIntPrefix(text, value), expected.first) << text;
        EXPECT_EQ(value, expected.second) << text;
    }
    const float infinity = std::numeric_limits<float>::infinity();
    const std::pair<const char*, std::pair<std::size_t, float>> floats[] = {
        {".5;", {2, 0.5f}},      {"\t+1e2", {5, 100.0f}},  {"1e39", {4, infinity}}, {"-1e999", {6, -infinity}},
        {"1e-999", {6, 0.0f}}, {"0.1", {3, 0.1f}}, {"-+1", {0, 0.0f}}};
    for (const auto& [text, expected] : floats) {
        float value = -1;
        EXPECT_EQ(ParseFloatPrefix(text, value), expected.first) << text;
        EXPECT_EQ(value, expected.second) << text;
    }
}

}  // namespace
}  // namespace korvo
