#include "settings/settings_block.h"

#include <gtest/gtest.h>

#include <bit>
#include <string>

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

// Every field holds a value no other field holds.
SettingsState DistinctState() {
    SettingsState state;
    ExportSettings& s = state.settings;
    s.magnify = 2.5f;
    s.start_frame = 0x11223344;
    s.end_frame = 12;
    s.compress_node = 3;
    s.compress_material = 13;
    s.output_imd = 21;
    s.output_ica = 22;
    s.output_iva = 23;
    s.output_ima = 24;
    s.output_itp = 25;
    s.output_ita = 26;
    s.output_isd = 27;
    s.vertex_style = 28;
    s.output_texture = 29;
    s.interpolation = 30;
    s.frame_step_mode = 31;
    s.interp_end_to_start = 32;
    s.tolerance_translate = 0.25f;
    s.tolerance_rotate = 0.5f;
    s.tolerance_scale = 0.75f;
    s.tolerance_tex_translate = 1.25f;
    s.tolerance_tex_rotate = 1.5f;
    s.tolerance_tex_scale = 1.75f;
    s.tolerance_color = 33;
    s.force_full_weight = 34;
    s.frame_range = 35;
    s.use_primitive_strip = 36;
    s.merge_imd = 37;
    s.export_all = 38;
    s.process_mode = 39;
    s.output_file_name = "robot";
    s.output_folder = "C:/out";
    s.merge_imd_path = "D:/base.imd";
    s.force_quads = 40;
    s.triangulation = 41;
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

    EXPECT_EQ(FloatAt(block, 0), 2.5f);
    // Little-endian, byte by byte.
    EXPECT_EQ(block[4], 0x44);
    EXPECT_EQ(block[5], 0x33);
    EXPECT_EQ(block[6], 0x22);
    EXPECT_EQ(block[7], 0x11);
    EXPECT_EQ(IntAt(block, 8), 12);
    EXPECT_EQ(IntAt(block, 12), 3);
    EXPECT_EQ(IntAt(block, 16), 13);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(IntAt(block, 20 + 4 * i), 21 + i) << "output switch " << i;
    EXPECT_EQ(IntAt(block, 44), 27);
    EXPECT_EQ(IntAt(block, 48), 28);
    EXPECT_EQ(IntAt(block, 52), 29);
    EXPECT_EQ(IntAt(block, 56), 30);
    EXPECT_EQ(IntAt(block, 60), 31);
    EXPECT_EQ(IntAt(block, 64), 32);
    EXPECT_EQ(FloatAt(block, 68), 0.25f);
    EXPECT_EQ(FloatAt(block, 72), 0.5f);
    EXPECT_EQ(FloatAt(block, 76), 0.75f);
    EXPECT_EQ(FloatAt(block, 80), 1.25f);
    EXPECT_EQ(FloatAt(block, 84), 1.5f);
    EXPECT_EQ(FloatAt(block, 88), 1.75f);
    EXPECT_EQ(IntAt(block, 92), 33);
    EXPECT_EQ(IntAt(block, 96), 34);
    EXPECT_EQ(IntAt(block, 100), 35);
    EXPECT_EQ(IntAt(block, 104), 36);
    EXPECT_EQ(IntAt(block, 108), 37);
    EXPECT_EQ(IntAt(block, 112), 38);
    EXPECT_EQ(IntAt(block, 116), 39);
    EXPECT_EQ(TextAt(block, 120, 256), "robot");
    EXPECT_EQ(TextAt(block, 376, 256), "C:/out");
    EXPECT_EQ(TextAt(block, 632, 260), "D:/base.imd");
    EXPECT_EQ(block[120 + 5], 0);
    EXPECT_EQ(block[375], 0) << "the rest of a text field is zero";
    EXPECT_EQ(IntAt(block, 892), 40);
    EXPECT_EQ(IntAt(block, 896), 41);
    EXPECT_EQ(block[900], 5);
    EXPECT_EQ(block[901], 1);
    EXPECT_EQ(block[902], 1);
    EXPECT_EQ(block[903], 0);
    EXPECT_EQ(IntAt(block, 904), 100);
    EXPECT_EQ(IntAt(block, 908), -200);
    EXPECT_EQ(IntAt(block, 912), 300);
    EXPECT_EQ(IntAt(block, 916), -400);
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
