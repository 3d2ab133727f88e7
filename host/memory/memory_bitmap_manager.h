#pragma once
// The memory scene's bitmap manager: decodes image files (PNG, JPEG, BMP,
// TGA, GIF, PSD, HDR, PNM) into pixels, as the host's bitmap manager does.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/host.h"

namespace korvo {

// Images larger than this on a side are refused unread.
inline constexpr int kMaxBitmapSide = 16384;

class MemoryBitmapManager : public HostBitmapManager {
public:
    std::vector<std::string> map_directories;

    // nullptr when the file is missing, not an image, damaged, empty or
    // larger than kMaxBitmapSide on a side. "\" in the path is read as "/".
    std::unique_ptr<HostBitmap> Load(const std::string& path) override;
    std::vector<std::string> MapDirectories() const override { return map_directories; }
};

// An image file's pixels as RGBA bytes, top row first, read as the bitmap
// manager reads it; width 0 when the file cannot be read.
struct DecodedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;
};
DecodedImage LoadImageRgba(const std::string& path);

}  // namespace korvo
