#pragma once
// The direct read of colour-mapped TGA files (image types 1 and 4), tried
// before the host's bitmap for files named "*.tga". Whatever this reader
// does not take falls back to the host's bitmap, so it refuses anything
// unexpected instead of guessing.

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace korvo {

struct RgbaImage {
    int width = 0, height = 0;
    std::vector<uint8_t> pixels;  // red, green, blue, alpha; top row first
};

// Decodes a whole TGA file held in memory; nothing when it is not one this
// reader takes or ends early.
std::optional<RgbaImage> DecodeDirectTga(std::span<const uint8_t> file);

// Reads and decodes the file at path ("\" read as "/").
std::optional<RgbaImage> ReadDirectTga(const std::string& path);

}  // namespace korvo
