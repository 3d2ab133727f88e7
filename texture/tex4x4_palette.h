#pragma once
// The palette of a compressed texture as blocks are added: each block's
// stored colours are found as a run at an even position, or appended. The
// palette only grows, so every run is indexed once it is complete and a
// lookup is a hash probe instead of a scan, with the same answer as the
// scan: the lowest position.

#include <array>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

namespace korvo {

class RunPalette {
public:
    RunPalette();

    // The lowest even position at which the palette holds colours (two to
    // four of them) as a run; when there is none, the palette is padded to
    // an even length and the colours are appended.
    int32_t PlaceRun(std::span<const uint16_t> colors);
    // The lowest position of one colour, appending it when absent.
    int32_t PlaceColor(uint16_t color);

    const std::vector<uint16_t>& colors() const { return colors_; }

private:
    void Append(uint16_t color);

    std::vector<uint16_t> colors_;
    std::vector<int32_t> first_position_;  // by colour; -1 when absent
    // Runs of 2, 3 and 4 colours at even positions, keyed by their colours.
    std::array<std::unordered_map<uint64_t, int32_t>, 3> runs_;
};

}  // namespace korvo
