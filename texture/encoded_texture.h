#pragma once
// A texture in its hardware format: what the model file carries and what
// the decoder turns back into RGBA.

#include <cstdint>
#include <string>
#include <vector>

namespace korvo {

struct EncodedTexture {
    int32_t format = -1;  // index in the texture format table
    int width = 0, height = 0;
    bool color0_transparent = false;  // palette formats: index 0 is transparent
    std::vector<uint16_t> palette;    // 15-bit colours; empty for direct
    // Bitmap units: 16-bit values, or one 32-bit word per 4x4 block for tex4x4.
    std::vector<uint32_t> units;
    std::vector<uint16_t> block_palette_indices;  // tex4x4: one word per block
    bool prepared = false;                        // taken unchanged from a prepared file
    // The palette's name when a prepared file gave one (also when the file
    // could not be used and the image was converted); empty otherwise.
    std::string palette_name;
};

}  // namespace korvo
