#pragma once
// Encoding of one texture record: taken unchanged from a prepared file when
// it is one, otherwise converted from its pixels into the format its
// content calls for.

#include <string>
#include <string_view>
#include <vector>

#include "texture/encoded_texture.h"

namespace korvo {

struct ExportTexture;

// The texels of the encoded area (width x height): the image in the top-left
// corner, transparent black around it.
std::vector<uint8_t> EncodedAreaTexels(const ExportTexture& texture);

// The texture in its hardware format. A texture whose path contains "_cmp"
// becomes tex4x4 ("_cmp2": the interpolated variant). A prepared file whose
// format is not in the table or whose data is shorter than its format needs
// is converted like an ordinary image.
EncodedTexture EncodeTexture(const ExportTexture& texture);

}  // namespace korvo
