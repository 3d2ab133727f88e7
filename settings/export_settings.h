#pragma once
// Every export option, and the process-wide settings state around it.

#include <array>
#include <cstdint>
#include <string>

namespace korvo {

// Enumerated options are small integers whose order is the order of their
// words in the settings file.
struct ExportSettings {
    int32_t export_all = 1;  // key "export": 1 "all", 0 "selection"
    std::string output_file_name;
    int32_t process_mode = 1;  // 1 "intermediate_file", 0 "3d_material_editor"
    std::string output_folder;
    int32_t merge_imd = 0;
    std::string merge_imd_path;
    float magnify = 1.0f;
    int32_t compress_node = 0;  // "none", "cull", "merge", "unite", "unite_combine"
    int32_t compress_material = 0;
    int32_t frame_range = 0;  // 1 "range", 0 "all"
    int32_t start_frame = 0;
    int32_t end_frame = 0;
    int32_t output_imd = 1;
    int32_t output_ica = 0;
    int32_t output_iva = 0;
    int32_t output_ima = 0;
    int32_t output_itp = 0;
    int32_t output_ita = 0;
    int32_t vertex_style = 0;    // "direct", "index"
    int32_t output_texture = 0;  // "used", "all"
    int32_t force_full_weight = 0;
    int32_t use_primitive_strip = 1;
    int32_t triangulation = 0;    // "as_is", "as_is_checking", "generate_quads", "all_tris"
    int32_t interpolation = 0;    // "frame", "linear"
    int32_t interp_end_to_start = 0;
    int32_t frame_step_mode = 1;  // "auto", "1", "2", "4"
    float tolerance_scale = 0.1f;
    float tolerance_rotate = 0.1f;
    float tolerance_translate = 0.01f;
    float tolerance_tex_scale = 0.1f;
    float tolerance_tex_rotate = 0.1f;
    float tolerance_tex_translate = 0.01f;
    int32_t tolerance_color = 2;
    // No settings-file key; hidden controls of the options dialog.
    int32_t output_isd = 0;
    int32_t force_quads = 1;

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

// Repairs values that would break an export: a magnify below 0.0001
// becomes 1.0, a float tolerance below 0.0001 its default.
void RepairSettings(ExportSettings& settings);

}  // namespace korvo
