#include "settings/settings_block.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>
#include <vector>

namespace korvo {
namespace {

using Block = std::array<uint8_t, kSettingsBlockSize>;

int32_t IntAt(const Block& block, std::size_t offset) {
    return static_cast<int32_t>(uint32_t{block[offset]} | uint32_t{block[offset + 1]} << 8 |
                                uint32_t{block[offset + 2]} << 16 | uint32_t{block[offset + 3]} << 24);
}

float FloatAt(const Block& block, std::size_t offset) { return std::bit_cast<float>(IntAt(block, offset)); }

std::string TextAt(const Block& block, std::size_t offset, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(block.data() + offset), size);
    return text.substr(0, text.find('\0'));
}

struct IntField {
    int32_t ExportSettings::*field;
    std::size_t offset;
};

const IntField kIntFields[] = {
    {&ExportSettings::start_frame, 4},       {&ExportSettings::end_frame, 8},
    {&ExportSettings::compress_node, 12},    {&ExportSettings::compress_material, 16},
    {&ExportSettings::output_imd, 20},       {&ExportSettings::output_ica, 24},
    {&ExportSettings::output_iva, 28},       {&ExportSettings::output_ima, 32},
    {&ExportSettings::output_itp, 36},       {&ExportSettings::output_ita, 40},
    {&ExportSettings::output_isd, 44},       {&ExportSettings::vertex_style, 48},
    {&ExportSettings::output_texture, 52},   {&ExportSettings::interpolation, 56},
    {&ExportSettings::frame_step_mode, 60},  {&ExportSettings::interp_end_to_start, 64},
    {&ExportSettings::tolerance_color, 92},  {&ExportSettings::force_full_weight, 96},
    {&ExportSettings::frame_range, 100},     {&ExportSettings::use_primitive_strip, 104},
    {&ExportSettings::merge_imd, 108},       {&ExportSettings::export_all, 112},
    {&ExportSettings::process_mode, 116},    {&ExportSettings::force_quads, 892},
    {&ExportSettings::triangulation, 896},
};

struct FloatField {
    float ExportSettings::*field;
    std::size_t offset;
};

const FloatField kFloatFields[] = {
    {&ExportSettings::magnify, 0},           {&ExportSettings::tolerance_translate, 68},
    {&ExportSettings::tolerance_rotate, 72}, {&ExportSettings::tolerance_scale, 76},
    {&ExportSettings::tolerance_tex_translate, 80}, {&ExportSettings::tolerance_tex_rotate, 84},
    {&ExportSettings::tolerance_tex_scale, 88},
};

// Every field holds a value no other field holds: its own offset, with
// distinct bytes so that the byte order shows.
SettingsState DistinctState() {
    SettingsState state;
    for (const IntField& f : kIntFields) state.settings.*f.field = 0x01020300 + static_cast<int32_t>(f.offset);
    for (const FloatField& f : kFloatFields) state.settings.*f.field = static_cast<float>(f.offset) + 0.25f;
    state.settings.output_file_name = "robot";
    state.settings.output_folder = "C:/out";
    state.settings.merge_imd_path = "D:/base.imd";
    state.save_load_scene_settings = 5;
    state.settings_taken_from_scene = true;
    state.menu_settings_read = true;
    state.dialog_rect = {100, -200, 300, -400};
    state.option_word = 0x7F00AA55;
    return state;
}

TEST(SettingsBlock, EveryFieldAtItsOffset) {
    const SettingsState state = DistinctState();
    const Block block = EncodeSettingsBlock(state);
    for (const IntField& f : kIntFields) EXPECT_EQ(IntAt(block, f.offset), 0x01020300 + f.offset) << f.offset;
    for (const FloatField& f : kFloatFields) EXPECT_EQ(FloatAt(block, f.offset), f.offset + 0.25f) << f.offset;
    EXPECT_EQ(block[4], 0x04) << "little-endian";
    EXPECT_EQ(TextAt(block, 120, 256), "robot");
    EXPECT_EQ(TextAt(block, 376, 256), "C:/out");
    EXPECT_EQ(TextAt(block, 632, 260), "D:/base.imd");
    EXPECT_EQ(block[120 + 5], 0);
    EXPECT_EQ(block[375], 0) << "the rest of a text field is zero";
    EXPECT_EQ((std::vector<int>{block[900], block[901], block[902], block[903]}), (std::vector<int>{5, 1, 1, 0}));
    EXPECT_EQ((std::vector<int32_t>{IntAt(block, 904), IntAt(block, 908), IntAt(block, 912), IntAt(block, 916)}),
              (std::vector<int32_t>{100, -200, 300, -400}));
    EXPECT_EQ(IntAt(block, 920), 0x7F00AA55);

    SettingsState decoded;
    ASSERT_TRUE(DecodeSettingsBlock(block, decoded));
    EXPECT_EQ(decoded, state);

    SettingsState defaults;
    ASSERT_TRUE(DecodeSettingsBlock(EncodeSettingsBlock(SettingsState{}), decoded));
    EXPECT_EQ(decoded, defaults);
}

TEST(SettingsBlock, WrongSizeChangesNothing) {
    const Block block = EncodeSettingsBlock(DistinctState());
    SettingsState state;
    EXPECT_FALSE(DecodeSettingsBlock(std::span<const uint8_t>(block.data(), 923), state));
    const std::vector<uint8_t> longer(925, 1);
    EXPECT_FALSE(DecodeSettingsBlock(longer, state));
    EXPECT_EQ(state, SettingsState{});
}

TEST(SettingsBlock, LongTextIsCutToFitTerminator) {
    SettingsState state;
    state.settings.output_file_name = std::string(300, 'a');
    state.settings.merge_imd_path = std::string(300, 'm');
    // 254 bytes of "a" and a three-byte character: cutting at 255 bytes
    // would split the character, so it goes whole.
    state.settings.output_folder = std::string(254, 'f') + "日";
    Block block = EncodeSettingsBlock(state);
    EXPECT_EQ(block[375], 0);
    EXPECT_EQ(block[891], 0);

    SettingsState decoded;
    ASSERT_TRUE(DecodeSettingsBlock(block, decoded));
    EXPECT_EQ(decoded.settings.output_file_name, std::string(255, 'a'));
    EXPECT_EQ(decoded.settings.merge_imd_path, std::string(259, 'm'));
    EXPECT_EQ(decoded.settings.output_folder, std::string(254, 'f'));

    // A field with no terminator of its own ends at the field's end.
    for (std::size_t i = 120; i < 376; ++i) block[i] = 'z';
    ASSERT_TRUE(DecodeSettingsBlock(block, decoded));
    EXPECT_EQ(decoded.settings.output_file_name, std::string(256, 'z'));
    EXPECT_EQ(decoded.settings.output_folder, std::string(254, 'f'));
}

}  // namespace
}  // namespace korvo
