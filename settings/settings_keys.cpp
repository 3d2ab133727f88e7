#include "settings/settings_keys.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

#include "core/format.h"

namespace korvo {

namespace {

using S = ExportSettings;
using Words = std::span<const std::string_view>;

constexpr std::string_view kOnOff[] = {"on", "off"};
constexpr std::string_view kExport[] = {"all", "selection"};
constexpr std::string_view kProcessMode[] = {"intermediate_file", "3d_material_editor"};
constexpr std::string_view kFrameRange[] = {"range", "all"};
constexpr std::string_view kVertexStyle[] = {"index", "direct"};
constexpr std::string_view kOutputTexture[] = {"all", "used"};
constexpr std::string_view kInterpolation[] = {"linear", "frame"};
constexpr std::string_view kCompressNode[] = {"none", "cull", "merge", "unite", "unite_combine"};
constexpr std::string_view kTriangulation[] = {"as_is", "as_is_checking", "generate_quads", "all_tris"};
constexpr std::string_view kFrameStepMode[] = {"auto", "1", "2", "4"};

constexpr SettingField TwoWords(std::string_view key, int32_t S::*field, Words words, std::string_view default_value,
                               std::string_view meaning) {
    return {.key = key, .kind = SettingKind::TwoWords, .words = words, .int_field = field,
            .default_value = default_value, .meaning = meaning};
}
constexpr SettingField Choice(std::string_view key, int32_t S::*field, Words words, std::string_view default_value,
                             std::string_view meaning) {
    return {.key = key, .kind = SettingKind::Choice, .words = words, .int_field = field,
            .default_value = default_value, .meaning = meaning};
}
constexpr SettingField Integer(std::string_view key, int32_t S::*field, std::string_view default_value,
                              std::string_view meaning) {
    return {.key = key, .kind = SettingKind::Integer, .int_field = field, .default_value = default_value,
            .meaning = meaning};
}
// Every float setting is a size or a tolerance: a value too small to mean
// anything (0 from a damaged or hand-edited file) would break the export.
constexpr SettingField Float(std::string_view key, float S::*field, std::string_view default_value,
                            std::string_view meaning) {
    return {.key = key, .kind = SettingKind::Float, .float_field = field, .default_value = default_value,
            .minimum = 0.0001f, .meaning = meaning};
}
constexpr SettingField Text(std::string_view key, std::string S::*field, std::string_view meaning) {
    return {.key = key, .kind = SettingKind::Text, .text_field = field, .meaning = meaning};
}
constexpr SettingField Heading(std::string_view heading, SettingField field) {
    field.heading = heading;
    return field;
}
constexpr SettingField NotInFile(SettingField field) {
    field.in_file = false;
    return field;
}

constexpr SettingField kSettingFields[] = {
    Heading("# Output Options",
            TwoWords("export", &S::export_all, kExport, "all", "every node of the scene, or the selected ones")),
    Text("output_file_name", &S::output_file_name, "base name of the output files"),
    TwoWords("process_mode", &S::process_mode, kProcessMode, "intermediate_file",
             "write the files, or hand them to the 3D Material Editor"),
    Text("output_folder", &S::output_folder, "folder of the output files"),
    TwoWords("merge_imd", &S::merge_imd, kOnOff, "off", "have the 3D Material Editor merge into merge_imd_path"),
    Text("merge_imd_path", &S::merge_imd_path, "the model file to merge into"),
    Heading("# General Options", Float("magnify", &S::magnify, "1.0", "factor for every length of the scene")),
    Choice("compress_node", &S::compress_node, kCompressNode, "none", "how the node hierarchy is reduced"),
    TwoWords("compress_material", &S::compress_material, kOnOff, "off", "fold materials that differ only in name"),
    TwoWords("frame_range", &S::frame_range, kFrameRange, "all",
             "the scene's whole animation range, or start_frame to end_frame"),
    Integer("start_frame", &S::start_frame, "0", "first frame exported under frame_range=\"range\""),
    Integer("end_frame", &S::end_frame, "0", "last frame exported under frame_range=\"range\""),
    Heading("# Output File Selection",
            TwoWords("output_imd", &S::output_imd, kOnOff, "on", "write the model file (.imd)")),
    TwoWords("output_ica", &S::output_ica, kOnOff, "off", "write the character animation file (.ica)"),
    TwoWords("output_iva", &S::output_iva, kOnOff, "off", "write the visibility animation file (.iva)"),
    TwoWords("output_ima", &S::output_ima, kOnOff, "off", "write the material colour animation file (.ima)"),
    TwoWords("output_itp", &S::output_itp, kOnOff, "off", "write the texture pattern animation file (.itp)"),
    TwoWords("output_ita", &S::output_ita, kOnOff, "off", "write the texture SRT animation file (.ita)"),
    Heading("# Imd Options", TwoWords("vertex_style", &S::vertex_style, kVertexStyle, "direct",
                                      "vertices in each polygon, or in model-wide indexed lists")),
    TwoWords("output_texture", &S::output_texture, kOutputTexture, "used",
             "the word the model file records for its textures"),
    TwoWords("force_full_weight", &S::force_full_weight, kOnOff, "off", "bind each vertex to its heaviest bone only"),
    TwoWords("use_primitive_strip", &S::use_primitive_strip, kOnOff, "on", "draw faces as triangle and quad strips"),
    Choice("triangulation", &S::triangulation, kTriangulation, "as_is",
           "keep the scene's quads, check them, join triangles into quads, or only triangles"),
    Heading("# Animation Options", TwoWords("interpolation", &S::interpolation, kInterpolation, "frame",
                                            "how the runtime interpolates between stored frames")),
    TwoWords("interp_end_to_start", &S::interp_end_to_start, kOnOff, "off",
             "interpolate from the last frame back to the first"),
    Choice("frame_step_mode", &S::frame_step_mode, kFrameStepMode, "1",
           "store every frame, every 2nd or 4th, or the largest step within the tolerances"),
    Heading("# Tolerance Options",
            Float("tolerance_scale", &S::tolerance_scale, "0.1", "node scale error allowed when frames are left out")),
    Float("tolerance_rotate", &S::tolerance_rotate, "0.1", "node rotation error (degrees)"),
    Float("tolerance_translate", &S::tolerance_translate, "0.01", "node translation error"),
    Float("tolerance_tex_scale", &S::tolerance_tex_scale, "0.1", "texture scale error"),
    Float("tolerance_tex_rotate", &S::tolerance_tex_rotate, "0.1", "texture rotation error (degrees)"),
    Float("tolerance_tex_translate", &S::tolerance_tex_translate, "0.01", "texture translation error"),
    Integer("tolerance_color", &S::tolerance_color, "2", "material colour error (in 1/31 steps)"),
    // Hidden controls of the options dialog.
    NotInFile(TwoWords("output_isd", &S::output_isd, kOnOff, "off", "write the scene data file (.isd)")),
    NotInFile(TwoWords("force_quads", &S::force_quads, kOnOff, "on", "")),
};

std::string JoinWords(Words words) {
    std::string joined;
    for (std::string_view word : words) joined += (joined.empty() ? "" : ", ") + std::string(word);
    return joined;
}

std::string FormatFloat(float value) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%g", static_cast<double>(value));
    std::string text = buffer;
    // Whole numbers get ".0" so they read as decimals (1 is written 1.0).
    // Only when "%g" printed plain digits: a whole number that came out
    // with an exponent stays "1e+06" rather than become "1e+06.0".
    if (text.find_first_not_of("-0123456789") == std::string::npos) text += ".0";
    return text;
}

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

}  // namespace

std::span<const SettingField> SettingFields() { return kSettingFields; }

const SettingField* FindSettingKey(std::string_view key) {
    for (const SettingField& field : kSettingFields) {
        if (field.in_file && field.key == key) return &field;
    }
    return nullptr;
}

std::string FormatSettingValue(const SettingField& field, const ExportSettings& settings) {
    switch (field.kind) {
    case SettingKind::TwoWords:
        return std::string(field.words[settings.*field.int_field != 0 ? 0 : 1]);
    case SettingKind::Choice: {
        const int32_t index = settings.*field.int_field;
        if (index < 0 || static_cast<std::size_t>(index) >= field.words.size()) return std::string(field.default_value);
        return std::string(field.words[static_cast<std::size_t>(index)]);
    }
    case SettingKind::Integer:
        return std::to_string(settings.*field.int_field);
    case SettingKind::Float:
        return FormatFloat(settings.*field.float_field);
    case SettingKind::Text:
        return settings.*field.text_field;
    }
    return {};
}

void ApplySettingValue(const SettingField& field, std::string_view value, ExportSettings& settings) {
    switch (field.kind) {
    case SettingKind::TwoWords:
        settings.*field.int_field = value == field.words[0] ? 1 : 0;
        break;
    case SettingKind::Choice: {
        const auto found = std::find(field.words.begin(), field.words.end(), value);
        if (found != field.words.end()) settings.*field.int_field = static_cast<int32_t>(found - field.words.begin());
        break;
    }
    case SettingKind::Integer:
        ParseIntPrefix(value, settings.*field.int_field);
        break;
    case SettingKind::Float:
        ParseFloatPrefix(value, settings.*field.float_field);
        break;
    case SettingKind::Text:
        settings.*field.text_field = std::string(value);
        break;
    }
}

void ApplyDefaults(ExportSettings& settings) {
    for (const SettingField& field : kSettingFields) ApplySettingValue(field, field.default_value, settings);
}

std::vector<std::string> RepairSettings(ExportSettings& settings) {
    std::vector<std::string> repaired;
    for (const SettingField& field : kSettingFields) {
        if (field.kind != SettingKind::Float || field.minimum == 0.0f) continue;
        float& value = settings.*field.float_field;
        // Written as "not at least" so that a NaN is repaired as well.
        if (value >= field.minimum) continue;
        repaired.push_back(std::string(field.key) + "=\"" + FormatFloat(value) + "\" is below " +
                           FormatFloat(field.minimum) + "; " + std::string(field.default_value) + " is used");
        ApplySettingValue(field, field.default_value, settings);
    }
    return repaired;
}

bool SetSettingByKey(ExportSettings& settings, std::string_view key, std::string_view value, std::string* error) {
    const SettingField* entry = FindSettingKey(key);
    if (!entry) {
        std::string keys;
        for (const SettingField& known : kSettingFields) {
            if (!known.in_file) continue;
            if (!keys.empty()) keys += ", ";
            keys += known.key;
        }
        return Fail(error, Format("unknown setting \"%.*s\"; valid keys: %s", static_cast<int>(key.size()), key.data(),
                                  keys.c_str()));
    }
    const std::string quoted =
        Format("\"%.*s\" for %.*s", static_cast<int>(value.size()), value.data(), static_cast<int>(key.size()), key.data());
    switch (entry->kind) {
    case SettingKind::TwoWords:
    case SettingKind::Choice:
        for (std::size_t i = 0; i < entry->words.size(); ++i) {
            if (entry->words[i] != value) continue;
            const auto index = static_cast<int32_t>(i);
            settings.*entry->int_field = entry->kind == SettingKind::TwoWords ? 1 - index : index;
            return true;
        }
        return Fail(error, "invalid value " + quoted + "; valid values: " + JoinWords(entry->words));
    case SettingKind::Integer: {
        int32_t number = 0;
        if (value.empty() || ParseIntPrefix(value, number) != value.size()) {
            return Fail(error, "invalid value " + quoted + ": expected a whole number");
        }
        settings.*entry->int_field = number;
        return true;
    }
    case SettingKind::Float: {
        float number = 0.0f;
        if (value.empty() || ParseFloatPrefix(value, number) != value.size() || !std::isfinite(number)) {
            return Fail(error, "invalid value " + quoted + ": expected a finite decimal number");
        }
        // Repair would replace it; a value given for one run is refused
        // rather than changed behind the user's back.
        if (!(number >= entry->minimum)) {
            return Fail(error,
                        "invalid value " + quoted + ": expected a number of at least " + FormatFloat(entry->minimum));
        }
        settings.*entry->float_field = number;
        return true;
    }
    case SettingKind::Text:
        settings.*entry->text_field = std::string(value);
        return true;
    }
    return false;
}

}  // namespace korvo
