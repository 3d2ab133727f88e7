#pragma once
// Image files decoded for the tests (any format stb_image reads).

#include <cstdint>
#include <string>
#include <vector>

namespace korvo::test {

struct LoadedImage {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // top row first
};

// Empty (width 0) when the file cannot be read.
LoadedImage LoadImageRgba(const std::string& path);

}  // namespace korvo::test
