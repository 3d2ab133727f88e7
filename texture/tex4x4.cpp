#include "texture/tex4x4.h"

#include "texture/tex4x4_palette.h"
#include "texture/tex4x4_reduction.h"

namespace korvo {

namespace {

constexpr uint32_t kAllTransparent = 0xffffffffu;

// Places one block's stored colours (in code order) in the palette and
// sets its two words.
void EncodeBlock(const BlockTexels& block, const ColorRun& stored, Tex4x4Variant variant, RunPalette& palette,
                 uint32_t& word, uint16_t& index) {
    const bool transparent = HasTransparentTexel(block);
    int32_t position = 0;
    if (stored.count == 0) {
        // Every texel transparent: no colour is read.
        word = kAllTransparent;
    } else if (stored.count == 1) {
        // A single colour may sit anywhere; at an odd position the block
        // reads the pair that starts one entry earlier.
        const int32_t at = palette.PlaceColor(stored.colors[0]);
        position = at - at % 2;
        ColorRun decoded;
        if (at % 2 != 0) decoded.push_back(palette.colors()[static_cast<std::size_t>(position)]);
        decoded.push_back(stored.colors[0]);
        word = BlockWord(block, decoded);
    } else {
        position = palette.PlaceRun(stored.view());
        word = BlockWord(block, DecodedColors(stored, variant, transparent));
    }
    index = static_cast<uint16_t>((position / 2) | (transparent ? 0 : kBlockOpaque) |
                                  (variant == Tex4x4Variant::kInterpolated ? kBlockInterpolated : 0));
}

}  // namespace

Tex4x4Texture CompressTex4x4(std::span<const uint8_t> rgba, int width, int height, Tex4x4Variant variant,
                             std::size_t palette_limit) {
    const int columns = width / 4, rows = height / 4;
    const std::size_t count = static_cast<std::size_t>(columns) * static_cast<std::size_t>(rows);
    std::vector<BlockTexels> blocks;
    std::vector<ColorRun> stored;
    blocks.reserve(count);
    stored.reserve(count);
    for (int by = 0; by < rows; ++by) {
        for (int bx = 0; bx < columns; ++bx) {
            blocks.push_back(ReadBlock(rgba, width, bx, by));
            ColorRun run = SelectStoredColors(blocks.back(), variant);
            OrderStoredColors(run);
            stored.push_back(run);
        }
    }

    Tex4x4Texture result;
    result.blocks.resize(count);
    result.palette_indices.resize(count);
    RunPalette palette;
    for (std::size_t b = 0; b < count; ++b) {
        EncodeBlock(blocks[b], stored[b], variant, palette, result.blocks[b], result.palette_indices[b]);
    }
    if (palette.colors().size() > palette_limit) {
        const std::vector<ColorRun> shared = ReduceBlockRuns(blocks, stored, variant, palette_limit);
        palette = RunPalette();
        for (std::size_t b = 0; b < count; ++b) {
            EncodeBlock(blocks[b], shared[b], variant, palette, result.blocks[b], result.palette_indices[b]);
        }
    }
    result.palette = palette.colors();
    return result;
}

}  // namespace korvo
