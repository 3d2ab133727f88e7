#pragma once
// Every export option, and the process-wide settings state around it.

#include <cstdint>
#include <string>

namespace korvo {

// Enumerated options are small integers whose order is the order of their
// words in the settings file. The defaults, the words and the repair rule
// of every field are in the table of settings_keys.cpp; a new record holds
// the defaults.
struct ExportSettings {
    ExportSettings();

    int32_t export_all{};  // key "export": 1 "all", 0 "selection"
    std::string output_file_name;
    int32_t process_mode{};  // 1 "intermediate_file", 0 "3d_material_editor"
    std::string output_folder;
    int32_t merge_imd{};
    std::string merge_imd_path;
    float magnify{};
    int32_t compress_node{};  // "none", "cull", "merge", "unite", "unite_combine"
    int32_t compress_material{};
    int32_t frame_range{};  // 1 "range", 0 "all"
    int32_t start_frame{};
    int32_t end_frame{};
    int32_t output_imd{};
    int32_t output_ica{};
    int32_t output_iva{};
    int32_t output_ima{};
    int32_t output_itp{};
    int32_t output_ita{};
    int32_t vertex_style{};    // "direct", "index"
    int32_t output_texture{};  // "used", "all"
    int32_t force_full_weight{};
    int32_t use_primitive_strip{};
    int32_t triangulation{};  // "as_is", "as_is_checking", "generate_quads", "all_tris"
    int32_t interpolation{};  // "frame", "linear"
    int32_t interp_end_to_start{};
    int32_t frame_step_mode{};  // "auto", "1", "2", "4"
    float tolerance_scale{};
    float tolerance_rotate{};
    float tolerance_translate{};
    float tolerance_tex_scale{};
    float tolerance_tex_rotate{};
    float tolerance_tex_translate{};
    int32_t tolerance_color{};
    // No settings-file key; hidden controls of the options dialog.
    int32_t output_isd{};
    int32_t force_quads{};

    friend bool operator==(const ExportSettings&, const ExportSettings&) = default;
};

struct DialogRect {
    int32_t left = -1, top = -1, right = -1, bottom = -1;  // -1: never placed
    friend bool operator==(const DialogRect&, const DialogRect&) = default;
};

// The process-wide settings block: the current settings plus the menu
// state and the option word of the export call in progress. Its stored
// form is 924 bytes (settings_block.h).
struct SettingsState {
    ExportSettings settings;
    uint8_t save_load_scene_settings = 1;
    bool settings_taken_from_scene = false;
    bool menu_settings_read = false;
    DialogRect dialog_rect;
    int32_t option_word = 0;

    friend bool operator==(const SettingsState&, const SettingsState&) = default;
};

// Sets every default. With keep_output, the output file name and folder
// stay as they are. The dialog placement is reset to unplaced.
void ResetSettings(SettingsState& state, bool keep_output);

}  // namespace korvo
