#pragma once
// Images for the benchmarks: decoded from files and scaled.

#include <cstdint>
#include <string>
#include <vector>

namespace korvo::bench {

struct Image {
    int width = 0, height = 0;
    std::vector<uint8_t> rgba;  // top row first
};

// Empty (width 0) when the file cannot be read.
Image LoadImage(const std::string& path);

// Bilinear scaling to width x height.
Image Scale(const Image& source, int width, int height);

}  // namespace korvo::bench
