#include "texture/tex4x4_palette.h"

#include "texture/color15.h"

namespace korvo {

namespace {

constexpr std::size_t kMinRun = 2;
constexpr std::size_t kMaxRun = 4;

uint64_t RunKey(std::span<const uint16_t> colors) {
    uint64_t key = 0;
    for (uint16_t c : colors) key = key << 16 | c;
    return key;
}

}  // namespace

RunPalette::RunPalette() : first_position_(1u << 16, -1) {}

void RunPalette::Append(uint16_t color) {
    colors_.push_back(color);
    const std::size_t size = colors_.size();
    if (first_position_[color] < 0) first_position_[color] = static_cast<int32_t>(size - 1);
    for (std::size_t length = kMinRun; length <= kMaxRun && length <= size; ++length) {
        const std::size_t start = size - length;
        if (start % 2 != 0) continue;
        const std::span<const uint16_t> run(colors_.data() + start, length);
        runs_[length - kMinRun].emplace(RunKey(run), static_cast<int32_t>(start));
    }
}

int32_t RunPalette::PlaceRun(std::span<const uint16_t> colors) {
    auto& index = runs_[colors.size() - kMinRun];
    if (const auto found = index.find(RunKey(colors)); found != index.end()) return found->second;
    if (colors_.size() % 2 != 0) Append(kPaletteFiller);
    const auto start = static_cast<int32_t>(colors_.size());
    for (uint16_t c : colors) Append(c);
    return start;
}

int32_t RunPalette::PlaceColor(uint16_t color) {
    if (first_position_[color] >= 0) return first_position_[color];
    const auto start = static_cast<int32_t>(colors_.size());
    Append(color);
    return start;
}

}  // namespace korvo
