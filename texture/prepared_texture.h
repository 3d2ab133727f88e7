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
#include <cstdint>
#include <string>
#include <vector>

namespace korvo {

inline constexpr std::size_t kMaxPaletteNameLength = 259;

// What a prepared file holds.
struct PreparedTexture {
    int32_t format = -1;  // index in the texture format table
    bool color0_transparent = false;
    std::vector<uint8_t> texels;           // little-endian units, as in the file
    std::vector<uint8_t> palette_indices;  // tex4x4 only
    std::string palette_name;
    std::vector<uint16_t> palette;  // 15-bit colours
};

// Reads the file at path when it ends in ".tga" (lower case only) and is a
// prepared file. True when the chunk block was read up to its "kvs_gnam"
// chunk; on false, what was read before the failure is in prepared.
// Reports nothing.
bool ReadPreparedTexture(const std::string& path, PreparedTexture& prepared);

}  // namespace korvo
