#include "extract/tga_image_reader.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "extract/texture_paths.h"

namespace korvo {

namespace {

constexpr std::size_t kHeaderSize = 18;
// Larger than any texture this reader can be asked for (1024 x 1024 at 32
// bits, with a full colour map); a larger file is left to the host.
constexpr std::uintmax_t kMaxFileBytes = 64u << 20;

constexpr uint8_t kDescriptorRightToLeft = 0x10;
constexpr uint8_t kDescriptorTopToBottom = 0x20;

struct TgaHeader {
    uint8_t id_length = 0;
    uint8_t color_map_type = 0;
    uint8_t image_type = 0;
    uint16_t color_map_first = 0;
    uint16_t color_map_length = 0;
    uint8_t color_map_bits = 0;
    uint16_t width = 0, height = 0;
    uint8_t pixel_bits = 0;
    uint8_t descriptor = 0;
};

uint16_t Read16(std::span<const uint8_t> bytes, std::size_t at) {
    return static_cast<uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

TgaHeader ParseHeader(std::span<const uint8_t> file) {
    TgaHeader h;
    h.id_length = file[0];
    h.color_map_type = file[1];
    h.image_type = file[2];
    h.color_map_first = Read16(file, 3);
    h.color_map_length = Read16(file, 5);
    h.color_map_bits = file[7];
    h.width = Read16(file, 12);
    h.height = Read16(file, 14);
    h.pixel_bits = file[16];
    h.descriptor = file[17];
    return h;
}

bool ValidDepth(uint8_t bits) { return bits == 15 || bits == 16 || bits == 24 || bits == 32; }

using Rgba = std::array<uint8_t, 4>;

// One colour as stored (a colour map entry or a pixel wider than 8 bits).
// The first byte holds blue, as in 24- and 32-bit colours.
Rgba DecodeColor(const uint8_t* p, uint8_t bits) {
    switch (bits) {
        case 15:
        case 16: {
            const unsigned v = p[0] | (p[1] << 8);
            const unsigned blue = (v & 0x1F) * 8;
            if (bits == 15) {
                return {static_cast<uint8_t>(((v >> 10) & 0x1F) * 8), static_cast<uint8_t>(((v >> 5) & 0x1F) * 8),
                        static_cast<uint8_t>(blue), 255};
            }
            return {static_cast<uint8_t>(((v >> 11) & 0x1F) * 8), static_cast<uint8_t>(((v >> 6) & 0x1F) * 4),
                    static_cast<uint8_t>(blue), 255};
        }
        case 24: return {p[2], p[1], p[0], 255};
        default: return {p[2], p[1], p[0], p[3]};
    }
}

}  // namespace

std::optional<RgbaImage> DecodeDirectTga(std::span<const uint8_t> file) {
    if (file.size() < kHeaderSize) return std::nullopt;
    const TgaHeader h = ParseHeader(file);
    if (h.image_type != 1 && h.image_type != 4) return std::nullopt;
    if (h.color_map_type > 1) return std::nullopt;
    const bool has_map = h.color_map_type == 1;
    if (has_map && !ValidDepth(h.color_map_bits)) return std::nullopt;
    if (h.pixel_bits != 8 && !ValidDepth(h.pixel_bits)) return std::nullopt;
    if (h.pixel_bits == 8 && (!has_map || h.color_map_length == 0)) return std::nullopt;
    if (h.width == 0 || h.height == 0) return std::nullopt;

    // Every size is checked against the file before anything is allocated.
    const std::size_t entry_bytes = has_map ? (h.color_map_bits + 7u) / 8u : 0;
    const std::size_t pixel_bytes = (h.pixel_bits + 7u) / 8u;
    const std::size_t map_at = kHeaderSize + h.id_length;
    const std::size_t pixels_at = map_at + entry_bytes * (has_map ? h.color_map_length : 0u);
    const std::size_t pixel_count = static_cast<std::size_t>(h.width) * h.height;
    if (pixels_at > file.size() || (file.size() - pixels_at) / pixel_bytes < pixel_count) return std::nullopt;

    std::vector<Rgba> color_map;
    if (has_map) {
        color_map.reserve(h.color_map_length);
        for (std::size_t i = 0; i < h.color_map_length; ++i) {
            color_map.push_back(DecodeColor(&file[map_at + i * entry_bytes], h.color_map_bits));
        }
    }

    RgbaImage image;
    image.width = h.width;
    image.height = h.height;
    image.pixels.resize(pixel_count * 4);
    const bool top_to_bottom = (h.descriptor & kDescriptorTopToBottom) != 0;
    const bool right_to_left = (h.descriptor & kDescriptorRightToLeft) != 0;
    const uint8_t* stored = &file[pixels_at];
    for (std::size_t row = 0; row < h.height; ++row) {
        const std::size_t y = top_to_bottom ? row : h.height - 1 - row;
        for (std::size_t column = 0; column < h.width; ++column, stored += pixel_bytes) {
            const std::size_t x = right_to_left ? h.width - 1 - column : column;
            Rgba color;
            if (h.pixel_bits == 8) {
                const int index = static_cast<int>(*stored) - h.color_map_first;
                if (index < 0 || static_cast<std::size_t>(index) >= color_map.size()) return std::nullopt;
                color = color_map[static_cast<std::size_t>(index)];
            } else {
                color = DecodeColor(stored, h.pixel_bits);
            }
            uint8_t* out = &image.pixels[(y * h.width + x) * 4];
            for (int c = 0; c < 4; ++c) out[c] = color[static_cast<std::size_t>(c)];
        }
    }
    return image;
}

std::optional<RgbaImage> ReadDirectTga(const std::string& path) {
    const std::string file_path = FileSystemPath(path);
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file_path, error);
    if (error || size < kHeaderSize || size > kMaxFileBytes) return std::nullopt;
    std::ifstream file(file_path, std::ios::binary);
    if (!file) return std::nullopt;
    std::vector<uint8_t> bytes(static_cast<std::size_t>(size));
    if (!file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()))) {
        return std::nullopt;
    }
    return DecodeDirectTga(bytes);
}

}  // namespace korvo
