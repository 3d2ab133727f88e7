#include "settings/menu_settings.h"

#include <array>
#include <cstdint>
#include <fstream>

#include "core/atomic_file.h"

namespace korvo {

namespace {

constexpr std::size_t kMenuFileSize = 17;

void PutInt(std::string& bytes, int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) bytes += static_cast<char>(static_cast<uint8_t>(bits >> (8 * i)));
}

int32_t GetInt(const std::array<char, kMenuFileSize>& bytes, std::size_t offset) {
    uint32_t bits = 0;
    for (std::size_t i = 0; i < 4; ++i) bits |= uint32_t{static_cast<uint8_t>(bytes[offset + i])} << (8 * i);
    return static_cast<int32_t>(bits);
}

}  // namespace

std::string JoinConfigPath(const std::string& folder, const std::string& name) {
    std::string path = folder;
    if (folder.empty()) {
        path += '\\';
    } else if (folder.back() != '\\' && folder.back() != '/') {
        const std::size_t separator = folder.find_first_of("\\/");
        path += separator == std::string::npos ? '\\' : folder[separator];
    }
    return path + name;
}

bool ReadMenuSettings(const std::string& path, SettingsState& state) {
    state.menu_settings_read = true;
    std::ifstream in(path, std::ios::binary);
    std::array<char, kMenuFileSize> bytes{};
    // A file too short to hold both values is treated as missing.
    if (!in || !in.read(bytes.data(), bytes.size())) return false;
    state.save_load_scene_settings = static_cast<uint8_t>(bytes[0]);
    state.dialog_rect = {GetInt(bytes, 1), GetInt(bytes, 5), GetInt(bytes, 9), GetInt(bytes, 13)};
    return true;
}

bool WriteMenuSettings(const std::string& path, const SettingsState& state, Feedback& feedback) {
    std::string bytes(1, static_cast<char>(state.save_load_scene_settings));
    PutInt(bytes, state.dialog_rect.left);
    PutInt(bytes, state.dialog_rect.top);
    PutInt(bytes, state.dialog_rect.right);
    PutInt(bytes, state.dialog_rect.bottom);
    if (IsReadOnlyFile(path) || !WriteFileAtomically(path, bytes)) {
        feedback.MessageBox("Can't open file. " + path, "Can't open menu settings file", MessageStyle::Error);
        return false;
    }
    return true;
}

}  // namespace korvo
