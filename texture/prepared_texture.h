#pragma once
// Texture files prepared ahead of time by a texture tool: TGA files whose
// image identification field holds "KVS_Tga Ver 1.0" and the offset of a
// block of tagged chunks with the texture already in its hardware format.
//
// The chunk block is untrusted input: a chunk whose size is below its
// 12-byte header or runs past the end of the file ends the read with
// failure, so a read allocates at most the file's size and always ends.
// Palette names longer than kMaxPaletteNameLength are cut to that length.

#include <cstddef>
#include <string>

namespace korvo {

struct ExportTexture;

inline constexpr std::size_t kMaxPaletteNameLength = 259;

// Reads texture.path when it ends in ".tga" (lower case only) and is a
// prepared file, filling the record's format, color0_transparent,
// prepared_texels, prepared_palette_indices, palette_name and palette
// (appended to). True when the chunk block was read up to its "kvs_gnam"
// chunk; on false, fields filled before the failure stay filled. Reports
// nothing.
bool ReadPreparedTexture(ExportTexture& texture);

}  // namespace korvo
