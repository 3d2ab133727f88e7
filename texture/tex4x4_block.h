#pragma once
// One 4x4 block of a compressed (tex4x4) texture.
//
// Layout chosen for the hardware's compressed format:
// - Block word: sixteen 2-bit codes; texel i = 4 * row + column (rows from
//   the top of the block, columns from the left) has its code in bits 2i
//   and 2i + 1, so texel 0 is in the lowest bits.
// - Palette index word: bits 0-13 are the position of the block's first
//   palette entry divided by 2 (runs of two or more colours start at even
//   positions). Bit 15 set: the block has no transparent texel; clear: code
//   3 is transparent. Bit 14 set: the interpolated modes ("_cmp2"), which
//   read two colours c0 and c1 at the position and derive the others per
//   5-bit channel, truncating:
//     bit 15 clear: 0 = c0, 1 = c1, 2 = (c0 + c1) / 2, 3 transparent;
//     bit 15 set:   0 = c0, 1 = c1, 2 = (5 c0 + 3 c1) / 8, 3 = (3 c0 + 5 c1) / 8.
//   Bit 14 clear ("_cmp"): code k is the palette entry at the position + k
//   (codes 0-2 with a transparent texel, 0-3 without).

#include <array>
#include <cstdint>
#include <span>

namespace korvo {

enum class Tex4x4Variant { kFourColor, kInterpolated };  // "_cmp", "_cmp2"

inline constexpr uint16_t kBlockOpaque = 0x8000;
inline constexpr uint16_t kBlockInterpolated = 0x4000;
inline constexpr uint16_t kBlockOffsetMask = 0x3fff;
inline constexpr uint32_t kTransparentCode = 3;

struct BlockTexels {
    std::array<uint16_t, 16> color{};  // 15-bit
    std::array<bool, 16> opaque{};     // alpha at least 128
};

// Up to four colours, in order.
struct ColorRun {
    std::array<uint16_t, 4> colors{};
    int count = 0;

    std::span<const uint16_t> view() const { return {colors.data(), static_cast<std::size_t>(count)}; }
    void push_back(uint16_t c) { colors[static_cast<std::size_t>(count++)] = c; }
};

// The block at block column bx, block row by of a width-texel-wide image.
BlockTexels ReadBlock(std::span<const uint8_t> rgba, int width, int bx, int by);

bool HasTransparentTexel(const BlockTexels& block);
int MaxStoredColors(Tex4x4Variant variant, bool transparent);

// The colours the block stores: its distinct opaque colours (in texel
// order) when they fit, else the combination of them that the decoder
// reproduces with the least total error over the opaque texels, the first
// such in lexicographic order of positions in the distinct list.
ColorRun SelectStoredColors(const BlockTexels& block, Tex4x4Variant variant);

// Brightest first; then three colours as brightest, darkest, middle and
// four as brightest, darkest, second, third.
void OrderStoredColors(ColorRun& run);

// The colours codes 0, 1, ... decode to (not counting the transparent code)
// for a run of at least two stored colours.
ColorRun DecodedColors(const ColorRun& stored, Tex4x4Variant variant, bool transparent);

// Opaque texels get the code of their closest decoded colour (the lowest
// code among equals), transparent texels the transparent code.
uint32_t BlockWord(const BlockTexels& block, const ColorRun& decoded);

}  // namespace korvo
