#include "settings/settings_keys.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace korvo {
namespace {

TEST(SettingKeys, SetsByFileKeysAndWords) {
    ExportSettings s;
    std::string error;
    EXPECT_TRUE(SetSettingByKey(s, "export", "selection", &error));
    EXPECT_TRUE(SetSettingByKey(s, "vertex_style", "index", &error));
    EXPECT_TRUE(SetSettingByKey(s, "merge_imd", "on", &error));
    EXPECT_TRUE(SetSettingByKey(s, "use_primitive_strip", "off", &error));
    EXPECT_TRUE(SetSettingByKey(s, "compress_node", "unite", &error));
    EXPECT_TRUE(SetSettingByKey(s, "frame_step_mode", "4", &error));
    EXPECT_TRUE(SetSettingByKey(s, "start_frame", "-5", &error));
    EXPECT_TRUE(SetSettingByKey(s, "magnify", "2.5", &error));
    EXPECT_TRUE(SetSettingByKey(s, "output_folder", "C:\\out", &error));
    EXPECT_EQ(s.export_all, 0);
    EXPECT_EQ(s.vertex_style, 1);
    EXPECT_EQ(s.merge_imd, 1);
    EXPECT_EQ(s.use_primitive_strip, 0);
    EXPECT_EQ(s.compress_node, 3);
    EXPECT_EQ(s.frame_step_mode, 3);
    EXPECT_EQ(s.start_frame, -5);
    EXPECT_EQ(s.magnify, 2.5f);
    EXPECT_EQ(s.output_folder, "C:\\out");
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
    for (const char* bad : {"", "abc", "1.0.0", "nan", "1e400", "--1"}) {
        EXPECT_FALSE(SetSettingByKey(s, "tolerance_scale", bad, nullptr)) << bad;
    }
    EXPECT_EQ(s, defaults);
}

TEST(SettingKeys, NumberPrefixesReadLikeAtoiAndAtof) {
    int32_t i = -1;
    EXPECT_EQ(ParseIntPrefix(" -12ab", i), 4u);
    EXPECT_EQ(i, -12);
    EXPECT_EQ(ParseIntPrefix("+7", i), 2u);
    EXPECT_EQ(i, 7);
    EXPECT_EQ(ParseIntPrefix("99999999999", i), 11u);
    EXPECT_EQ(i, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(ParseIntPrefix("-99999999999", i), 12u);
    EXPECT_EQ(i, std::numeric_limits<int32_t>::min());
    EXPECT_EQ(ParseIntPrefix("-", i), 0u);
    EXPECT_EQ(i, 0);

    float f = -1;
    EXPECT_EQ(ParseFloatPrefix(".5;", f), 2u);
    EXPECT_EQ(f, 0.5f);
    EXPECT_EQ(ParseFloatPrefix("\t+1e2", f), 5u);
    EXPECT_EQ(f, 100.0f);
    EXPECT_EQ(ParseFloatPrefix("1e39", f), 4u);
    EXPECT_EQ(f, std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseFloatPrefix("-1e999", f), 6u);
    EXPECT_EQ(f, -std::numeric_limits<float>::infinity());
    EXPECT_EQ(ParseFloatPrefix("1e-999", f), 6u);
    EXPECT_EQ(f, 0.0f);
    EXPECT_EQ(ParseFloatPrefix("0.1", f), 3u);
    EXPECT_EQ(f, 0.1f);
    EXPECT_EQ(ParseFloatPrefix("-+1", f), 0u);
    EXPECT_EQ(f, 0.0f);
}

}  // namespace
}  // namespace korvo
