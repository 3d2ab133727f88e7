#include "settings/settings_block.h"

#include <algorithm>
#include <bit>
#include <string>

namespace korvo {

namespace {

using Block = std::array<uint8_t, kSettingsBlockSize>;

constexpr std::size_t kFileNameOffset = 120, kFileNameSize = 256;
constexpr std::size_t kFolderOffset = 376, kFolderSize = 256;
constexpr std::size_t kMergePathOffset = 632, kMergePathSize = 260;

void PutInt(Block& block, std::size_t offset, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) block[offset + i] = static_cast<uint8_t>(bits >> (8 * i));
}

void PutFloat(Block& block, std::size_t offset, float value) {
    PutInt(block, offset, std::bit_cast<int32_t>(value));
}

void PutText(Block& block, std::size_t offset, std::size_t size, const std::string& text) {
    std::size_t length = std::min(text.size(), size - 1);
    // Do not leave half of a UTF-8 sequence behind: back up over
    // continuation bytes when the cut falls inside a character.
    if (length < text.size()) {
        while (length > 0 && (static_cast<uint8_t>(text[length]) & 0xC0) == 0x80) --length;
    }
    for (std::size_t i = 0; i < length; ++i) block[offset + i] = static_cast<uint8_t>(text[i]);
}

int32_t GetInt(std::span<const uint8_t> block, std::size_t offset) {
    uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits |= uint32_t{block[offset + i]} << (8 * i);
    return static_cast<int32_t>(bits);
}

float GetFloat(std::span<const uint8_t> block, std::size_t offset) {
    return std::bit_cast<float>(GetInt(block, offset));
}

std::string GetText(std::span<const uint8_t> block, std::size_t offset, std::size_t size) {
    std::string text;
    for (std::size_t i = offset; i < offset + size && block[i] != 0; ++i) text += static_cast<char>(block[i]);
    return text;
}

}  // namespace

std::array<uint8_t, kSettingsBlockSize> EncodeSettingsBlock(const SettingsState& state) {
    const ExportSettings& s = state.settings;
    Block block{};
    PutFloat(block, 0, s.magnify);
    PutInt(block, 4, s.start_frame);
    PutInt(block, 8, s.end_frame);
    PutInt(block, 12, s.compress_node);
    PutInt(block, 16, s.compress_material);
    PutInt(block, 20, s.output_imd);
    PutInt(block, 24, s.output_ica);
    PutInt(block, 28, s.output_iva);
    PutInt(block, 32, s.output_ima);
    PutInt(block, 36, s.output_itp);
    PutInt(block, 40, s.output_ita);
    PutInt(block, 44, s.output_isd);
    PutInt(block, 48, s.vertex_style);
    PutInt(block, 52, s.output_texture);
    PutInt(block, 56, s.interpolation);
    PutInt(block, 60, s.frame_step_mode);
    PutInt(block, 64, s.interp_end_to_start);
    PutFloat(block, 68, s.tolerance_translate);
    PutFloat(block, 72, s.tolerance_rotate);
    PutFloat(block, 76, s.tolerance_scale);
    PutFloat(block, 80, s.tolerance_tex_translate);
    PutFloat(block, 84, s.tolerance_tex_rotate);
    PutFloat(block, 88, s.tolerance_tex_scale);
    PutInt(block, 92, s.tolerance_color);
    PutInt(block, 96, s.force_full_weight);
    PutInt(block, 100, s.frame_range);
    PutInt(block, 104, s.use_primitive_strip);
    PutInt(block, 108, s.merge_imd);
    PutInt(block, 112, s.export_all);
    PutInt(block, 116, s.process_mode);
    PutText(block, kFileNameOffset, kFileNameSize, s.output_file_name);
    PutText(block, kFolderOffset, kFolderSize, s.output_folder);
    PutText(block, kMergePathOffset, kMergePathSize, s.merge_imd_path);
    PutInt(block, 892, s.force_quads);
    PutInt(block, 896, s.triangulation);
    block[900] = state.save_load_scene_settings;
    block[901] = state.settings_taken_from_scene ? 1 : 0;
    block[902] = state.menu_settings_read ? 1 : 0;
    PutInt(block, 904, state.dialog_rect.left);
    PutInt(block, 908, state.dialog_rect.top);
    PutInt(block, 912, state.dialog_rect.right);
    PutInt(block, 916, state.dialog_rect.bottom);
    PutInt(block, 920, state.option_word);
    return block;
}

bool DecodeSettingsBlock(std::span<const uint8_t> block, SettingsState& state) {
    if (block.size() != kSettingsBlockSize) return false;
    ExportSettings& s = state.settings;
    s.magnify = GetFloat(block, 0);
    s.start_frame = GetInt(block, 4);
    s.end_frame = GetInt(block, 8);
    s.compress_node = GetInt(block, 12);
    s.compress_material = GetInt(block, 16);
    s.output_imd = GetInt(block, 20);
    s.output_ica = GetInt(block, 24);
    s.output_iva = GetInt(block, 28);
    s.output_ima = GetInt(block, 32);
    s.output_itp = GetInt(block, 36);
    s.output_ita = GetInt(block, 40);
    s.output_isd = GetInt(block, 44);
    s.vertex_style = GetInt(block, 48);
    s.output_texture = GetInt(block, 52);
    s.interpolation = GetInt(block, 56);
    s.frame_step_mode = GetInt(block, 60);
    s.interp_end_to_start = GetInt(block, 64);
    s.tolerance_translate = GetFloat(block, 68);
    s.tolerance_rotate = GetFloat(block, 72);
    s.tolerance_scale = GetFloat(block, 76);
    s.tolerance_tex_translate = GetFloat(block, 80);
    s.tolerance_tex_rotate = GetFloat(block, 84);
    s.tolerance_tex_scale = GetFloat(block, 88);
    s.tolerance_color = GetInt(block, 92);
    s.force_full_weight = GetInt(block, 96);
    s.frame_range = GetInt(block, 100);
    s.use_primitive_strip = GetInt(block, 104);
    s.merge_imd = GetInt(block, 108);
    s.export_all = GetInt(block, 112);
    s.process_mode = GetInt(block, 116);
    s.output_file_name = GetText(block, kFileNameOffset, kFileNameSize);
    s.output_folder = GetText(block, kFolderOffset, kFolderSize);
    s.merge_imd_path = GetText(block, kMergePathOffset, kMergePathSize);
    s.force_quads = GetInt(block, 892);
    s.triangulation = GetInt(block, 896);
    state.save_load_scene_settings = block[900];
    state.settings_taken_from_scene = block[901] != 0;
    state.menu_settings_read = block[902] != 0;
    state.dialog_rect.left = GetInt(block, 904);
    state.dialog_rect.top = GetInt(block, 908);
    state.dialog_rect.right = GetInt(block, 912);
    state.dialog_rect.bottom = GetInt(block, 916);
    state.option_word = GetInt(block, 920);
    return true;
}

}  // namespace korvo
