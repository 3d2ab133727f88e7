#pragma once
// Compression of a whole texture into the tex4x4 format: a block word and a
// palette index word per 4x4 block, and one palette. The block layout is
// described in texture/tex4x4_block.h.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "texture/tex4x4_block.h"

namespace korvo {

// The most colours a palette index word can reach.
inline constexpr std::size_t kMaxTex4x4Palette = 32768;

struct Tex4x4Texture {
    std::vector<uint32_t> blocks;           // block rows from the top, blocks from the left
    std::vector<uint16_t> palette_indices;  // one per block
    std::vector<uint16_t> palette;          // 15-bit colours
};

// rgba: width x height texels (multiples of 4), top row first. A palette
// that would pass palette_limit colours is reduced (texture/tex4x4_reduction.h).
Tex4x4Texture CompressTex4x4(std::span<const uint8_t> rgba, int width, int height, Tex4x4Variant variant,
                             std::size_t palette_limit = kMaxTex4x4Palette);

}  // namespace korvo
