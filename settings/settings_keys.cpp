#include "settings/settings_keys.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
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

constexpr SettingKey TwoWords(std::string_view key, int32_t S::*field, Words words, std::string_view heading = {}) {
    return {key, SettingKind::TwoWords, words, field, nullptr, nullptr, heading};
}
constexpr SettingKey Choice(std::string_view key, int32_t S::*field, Words words) {
    return {key, SettingKind::Choice, words, field, nullptr, nullptr, {}};
}
constexpr SettingKey Integer(std::string_view key, int32_t S::*field) {
    return {key, SettingKind::Integer, {}, field, nullptr, nullptr, {}};
}
constexpr SettingKey Float(std::string_view key, float S::*field, std::string_view heading = {}) {
    return {key, SettingKind::Float, {}, nullptr, field, nullptr, heading};
}
constexpr SettingKey Text(std::string_view key, std::string S::*field) {
    return {key, SettingKind::Text, {}, nullptr, nullptr, field, {}};
}

constexpr SettingKey kSettingKeys[] = {
    TwoWords("export", &S::export_all, kExport, "# Output Options"),
    Text("output_file_name", &S::output_file_name),
    TwoWords("process_mode", &S::process_mode, kProcessMode),
    Text("output_folder", &S::output_folder),
    TwoWords("merge_imd", &S::merge_imd, kOnOff),
    Text("merge_imd_path", &S::merge_imd_path),
    Float("magnify", &S::magnify, "# General Options"),
    Choice("compress_node", &S::compress_node, kCompressNode),
    TwoWords("compress_material", &S::compress_material, kOnOff),
    TwoWords("frame_range", &S::frame_range, kFrameRange),
    Integer("start_frame", &S::start_frame),
    Integer("end_frame", &S::end_frame),
    TwoWords("output_imd", &S::output_imd, kOnOff, "# Output File Selection"),
    TwoWords("output_ica", &S::output_ica, kOnOff),
    TwoWords("output_iva", &S::output_iva, kOnOff),
    TwoWords("output_ima", &S::output_ima, kOnOff),
    TwoWords("output_itp", &S::output_itp, kOnOff),
    TwoWords("output_ita", &S::output_ita, kOnOff),
    TwoWords("vertex_style", &S::vertex_style, kVertexStyle, "# Imd Options"),
    TwoWords("output_texture", &S::output_texture, kOutputTexture),
    TwoWords("force_full_weight", &S::force_full_weight, kOnOff),
    TwoWords("use_primitive_strip", &S::use_primitive_strip, kOnOff),
    Choice("triangulation", &S::triangulation, kTriangulation),
    TwoWords("interpolation", &S::interpolation, kInterpolation, "# Animation Options"),
    TwoWords("interp_end_to_start", &S::interp_end_to_start, kOnOff),
    Choice("frame_step_mode", &S::frame_step_mode, kFrameStepMode),
    Float("tolerance_scale", &S::tolerance_scale, "# Tolerance Options"),
    Float("tolerance_rotate", &S::tolerance_rotate),
    Float("tolerance_translate", &S::tolerance_translate),
    Float("tolerance_tex_scale", &S::tolerance_tex_scale),
    Float("tolerance_tex_rotate", &S::tolerance_tex_rotate),
    Float("tolerance_tex_translate", &S::tolerance_tex_translate),
    Integer("tolerance_color", &S::tolerance_color),
};

bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Skips leading white space and one sign; returns the position after them.
std::size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
    std::size_t i = 0;
    while (i < text.size() && IsSpace(text[i])) ++i;
    negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    return i;
}

// from_chars leaves the value alone when it is out of range; tell an
// overflow from an underflow by the number's exponent or integer part.
double OutOfRangeValue(std::string_view number) {
    const std::size_t e = number.find_first_of("eE");
    const bool underflow = e != std::string_view::npos
                               ? e + 1 < number.size() && number[e + 1] == '-'
                               : number.find_first_of("123456789") > number.find('.');
    return underflow ? 0.0 : std::numeric_limits<double>::infinity();
}

std::string JoinWords(Words words) {
    std::string joined;
    for (std::string_view word : words) joined += (joined.empty() ? "" : ", ") + std::string(word);
    return joined;
}

bool Fail(std::string* error, std::string message) {
    if (error) *error = std::move(message);
    return false;
}

}  // namespace

std::span<const SettingKey> SettingKeys() { return kSettingKeys; }

const SettingKey* FindSettingKey(std::string_view key) {
    for (const SettingKey& entry : kSettingKeys) {
        if (entry.key == key) return &entry;
    }
    return nullptr;
}

std::size_t ParseIntPrefix(std::string_view text, int32_t& value) {
    bool negative = false;
    std::size_t i = SkipSpaceAndSign(text, negative);
    const std::size_t digits_start = i;
    int64_t magnitude = 0;
    const int64_t limit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min(magnitude * 10 + (text[i] - '0'), limit);
    }
    if (i == digits_start) {
        value = 0;
        return 0;
    }
    const int64_t signed_value = negative ? -magnitude : std::min(magnitude, limit - 1);
    value = static_cast<int32_t>(signed_value);
    return i;
}

std::size_t ParseFloatPrefix(std::string_view text, float& value) {
    bool negative = false;
    const std::size_t start = SkipSpaceAndSign(text, negative);
    value = 0.0f;
    // A second sign is not a number ("--1"), though from_chars would take it.
    if (start >= text.size() || text[start] == '-' || text[start] == '+') return 0;
    double parsed = 0.0;
    const char* first = text.data() + start;
    const auto [end, status] = std::from_chars(first, text.data() + text.size(), parsed);
    if (status == std::errc::invalid_argument) return 0;
    if (status == std::errc::result_out_of_range) {
        parsed = OutOfRangeValue(std::string_view(first, static_cast<std::size_t>(end - first)));
    }
    if (negative) parsed = -parsed;
    const double largest = std::numeric_limits<float>::max();
    if (std::isnan(parsed) || std::abs(parsed) <= largest) {
        value = static_cast<float>(parsed);
    } else {
        value = parsed > 0 ? std::numeric_limits<float>::infinity() : -std::numeric_limits<float>::infinity();
    }
    return static_cast<std::size_t>(end - text.data());
}

bool SetSettingByKey(ExportSettings& settings, std::string_view key, std::string_view value, std::string* error) {
    const SettingKey* entry = FindSettingKey(key);
    if (!entry) {
        std::string keys;
        for (const SettingKey& known : kSettingKeys) {
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
