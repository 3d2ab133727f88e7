#pragma once
// Palette reduction for compressed textures whose blocks, each with its own
// colours, need more palette entries than the 14-bit offset can reach.
//
// The blocks are grouped by the run length they read (four colours, three
// with a transparent texel, or the pair of the interpolated modes) and each
// group's budget of runs is shared out by median cut over the blocks'
// colour vectors (their stored colours in stored order, weighted by their
// opaque texels); each box's run is its weighted mean, then refined twice
// against the texels the box's blocks code to it (per-code means, or a
// least-squares fit of the pair for the interpolated modes), keeping a
// refinement only when it lowers the box's error.

#include <cstddef>
#include <span>
#include <vector>

#include "texture/tex4x4_block.h"

namespace korvo {

// One run per block, to be placed in a fresh palette: MaxStoredColors
// colours for a block with opaque texels, none for the others. Placed runs
// cost at most limit palette entries.
std::vector<ColorRun> ReduceBlockRuns(std::span<const BlockTexels> blocks, std::span<const ColorRun> stored,
                                      Tex4x4Variant variant, std::size_t limit);

}  // namespace korvo
