#include "texture/prepared_texture.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <span>
#include <string_view>
#include <vector>

#include "core/paths.h"
#include "texture/texture_format.h"

namespace korvo {

namespace {

constexpr std::size_t kSignatureOffset = 18;
constexpr std::size_t kSignatureSize = 16;
constexpr std::string_view kSignature = "KVS_Tga Ver 1.0";
constexpr std::size_t kChunkHeader = 12;

uint32_t ReadU32(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint32_t>(bytes[at]) | static_cast<uint32_t>(bytes[at + 1]) << 8 |
           static_cast<uint32_t>(bytes[at + 2]) << 16 | static_cast<uint32_t>(bytes[at + 3]) << 24;
}

// Chunk text ends at its first NUL, as the tool's text fields do.
std::string_view ChunkText(std::span<const uint8_t> data, std::size_t limit) {
    std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    text = text.substr(0, text.find('\0'));
    return text.substr(0, limit);
}

bool EndsWithTga(const std::string& path) { return path.size() >= 4 && path.compare(path.size() - 4, 4, ".tga") == 0; }

bool HasSignature(std::span<const uint8_t> file) {
    if (file.size() < kSignatureOffset + kSignatureSize) return false;
    const char* text = reinterpret_cast<const char*>(file.data() + kSignatureOffset);
    return std::string_view(text, strnlen(text, kSignatureSize)) == kSignature;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    // Texture paths keep the separators they were written with.
    std::ifstream in(ToForwardSlashes(path), std::ios::binary);
    if (!in) return {};
    in.seekg(0, std::ios::end);
    const std::streamoff size = in.tellg();
    if (size <= 0) return {};
    // Reading the head first keeps ordinary images from being read whole.
    std::vector<uint8_t> head(kSignatureOffset + kSignatureSize + 4);
    in.seekg(0);
    if (static_cast<std::size_t>(size) < head.size() ||
        !in.read(reinterpret_cast<char*>(head.data()), static_cast<std::streamsize>(head.size())) ||
        !HasSignature(head)) {
        return {};
    }
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) return {};
    return bytes;
}

bool ReadChunks(std::span<const uint8_t> file, PreparedTexture& texture) {
    std::size_t at = ReadU32(file, kSignatureOffset + kSignatureSize);
    bool first = true;
    while (at < file.size() && file.size() - at >= kChunkHeader) {
        const std::string_view tag(reinterpret_cast<const char*>(file.data() + at), 8);
        const std::size_t size = ReadU32(file, at + 8);
        if (size < kChunkHeader || size > file.size() - at) return false;
        const std::span<const uint8_t> data = file.subspan(at + kChunkHeader, size - kChunkHeader);
        std::size_t next = at + size;
        if (tag == "kvs_frmt") {
            if (!first) return false;
            // Longer than any name in the table: not one of them.
            texture.format = TextureFormatFromName(ChunkText(data, 16));
        } else if (tag == "kvs_c0xp") {
            texture.color0_transparent = true;
            next = at + kChunkHeader;  // the chunk has no data, whatever its size says
        } else if (tag == "kvs_txel") {
            texture.texels.assign(data.begin(), data.end());
        } else if (tag == "kvs_pidx") {
            texture.palette_indices.assign(data.begin(), data.end());
        } else if (tag == "kvs_pnam") {
            texture.palette_name = std::string(ChunkText(data, kMaxPaletteNameLength));
        } else if (tag == "kvs_pcol") {
            for (std::size_t i = 0; i + 1 < data.size(); i += 2) {
                texture.palette.push_back(static_cast<uint16_t>(data[i] | data[i + 1] << 8));
            }
            next = at + kChunkHeader + data.size() / 2 * 2;
        } else if (tag == "kvs_gnam") {
            return true;
        }
        first = false;
        at = next;
    }
    return false;
}

}  // namespace

bool ReadPreparedTexture(const std::string& path, PreparedTexture& prepared) {
    if (!EndsWithTga(path)) return false;
    const std::vector<uint8_t> file = ReadWholeFile(path);
    if (file.empty()) return false;
    return ReadChunks(file, prepared);
}

}  // namespace korvo
