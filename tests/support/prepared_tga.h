#pragma once
// Prepared texture files built byte by byte: a TGA head whose
// identification field carries the signature, then the chunk block.

#include <cstdint>
#include <string>

namespace korvo::test {

inline std::string U32(uint32_t v) {
    return {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
}

inline std::string Chunk(const std::string& tag, const std::string& data) {
    return tag + U32(static_cast<uint32_t>(12 + data.size())) + data;
}

// The chunk block starts right after the head, the signature and its offset.
inline std::string PreparedTga(const std::string& chunks, const std::string& signature = "KVS_Tga Ver 1.0") {
    std::string file(18, '\0');
    file[0] = 16;  // identification field length
    std::string id = signature;
    id.resize(16, '\0');
    return file + id + U32(38) + chunks;
}

}  // namespace korvo::test
