#include "settings/settings_reference.h"

#include "settings/settings_keys.h"

namespace korvo {

namespace {

std::string Code(std::string_view text) { return "`" + std::string(text) + "`"; }

std::string Values(const SettingField& field) {
    switch (field.kind) {
    case SettingKind::TwoWords:
    case SettingKind::Choice: {
        std::string words;
        for (std::string_view word : field.words) words += (words.empty() ? "" : ", ") + Code(word);
        return words;
    }
    case SettingKind::Integer:
        return "whole number";
    case SettingKind::Float: {
        ExportSettings minimum;
        minimum.*field.float_field = field.minimum;
        return "decimal number, at least " + FormatSettingValue(field, minimum);
    }
    case SettingKind::Text:
        return "text";
    }
    return {};
}

}  // namespace

std::string SettingsReference() {
    std::string text = "| Key | Values | Default | Meaning |\n|---|---|---|---|\n";
    for (const SettingField& field : SettingFields()) {
        if (!field.in_file) continue;
        const std::string default_value = field.default_value.empty() ? "empty" : Code(field.default_value);
        text += "| " + Code(field.key) + " | " + Values(field) + " | " + default_value + " | " +
                std::string(field.meaning) + " |\n";
    }
    return text;
}

}  // namespace korvo
