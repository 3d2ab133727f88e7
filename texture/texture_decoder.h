#pragma once
// Turns an encoded texture back into RGBA: for tests that check the
// encoders by round trip, and for anyone who wants to see what the hardware
// will show. 5-bit channels widen to 8 bits as (c << 3) | (c >> 2);
// transparent texels (palette index 0 under color0 transparency, the
// transparent code of a compressed block, direct texels without bit 15)
// come out as 0, 0, 0, 0; a3i5 and a5i3 texels keep their colour whatever
// their alpha. Palette entries past the end of the palette read as the
// filler 7fff, as in the written palette.

#include <cstdint>
#include <vector>

#include "texture/encoded_texture.h"

namespace korvo {

// width x height RGBA texels, top row first; empty for an unknown format
// or a bitmap shorter than the format needs.
std::vector<uint8_t> DecodeTexture(const EncodedTexture& texture);

}  // namespace korvo
