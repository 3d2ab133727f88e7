#include "host/memory/memory_bitmap_manager.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>

#include "host/bitmap_pixels.h"
#include "core/paths.h"

namespace korvo {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

struct StbFree {
    void operator()(void* pixels) const { stbi_image_free(pixels); }
};

// Decoded RGBA pixels of one sample type; Row divides them by the type's
// full value, giving 0..1.
template <class Sample>
class DecodedBitmap : public HostBitmap {
public:
    DecodedBitmap(int width, int height, bool alpha, std::unique_ptr<Sample, StbFree> pixels, float full)
        : width_(width), height_(height), alpha_(alpha), pixels_(std::move(pixels)), full_(full) {}

    int Width() const override { return width_; }
    int Height() const override { return height_; }
    bool HasAlpha() const override { return alpha_; }
    std::vector<float> Row(int y) const override {
        std::vector<float> row(static_cast<std::size_t>(width_) * 4, 0.0f);
        if (y < 0 || y >= height_) return row;
        const Sample* source = pixels_.get() + static_cast<std::size_t>(y) * row.size();
        for (std::size_t i = 0; i < row.size(); ++i) {
            row[i] = std::clamp(static_cast<float>(source[i]) / full_, 0.0f, 1.0f);
        }
        return row;
    }

private:
    int width_, height_;
    bool alpha_;
    std::unique_ptr<Sample, StbFree> pixels_;
    float full_;
};

template <class Sample>
std::unique_ptr<HostBitmap> MakeBitmap(Sample* pixels, int width, int height, bool alpha, float full) {
    std::unique_ptr<Sample, StbFree> owned(pixels);
    if (!owned) return nullptr;
    return std::make_unique<DecodedBitmap<Sample>>(width, height, alpha, std::move(owned), full);
}

}  // namespace

std::unique_ptr<HostBitmap> MemoryBitmapManager::Load(const std::string& path) {
    if (path.empty()) return nullptr;
    const File file(std::fopen(ToForwardSlashes(path).c_str(), "rb"));
    if (!file) return nullptr;
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_file(file.get(), &width, &height, &channels)) return nullptr;
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide) return nullptr;
    const bool alpha = channels == 2 || channels == 4;

    // High dynamic range and 16-bit images keep their precision.
    int w = 0, h = 0, stored = 0;
    if (stbi_is_hdr_from_file(file.get())) {
        float* pixels = stbi_loadf_from_file(file.get(), &w, &h, &stored, 4);
        return MakeBitmap(pixels, w, h, alpha, 1.0f);
    }
    if (stbi_is_16_bit_from_file(file.get())) {
        stbi_us* pixels = stbi_load_from_file_16(file.get(), &w, &h, &stored, 4);
        return MakeBitmap(pixels, w, h, alpha, 65535.0f);
    }
    stbi_uc* pixels = stbi_load_from_file(file.get(), &w, &h, &stored, 4);
    return MakeBitmap(pixels, w, h, alpha, 255.0f);
}

DecodedImage LoadImageRgba(const std::string& path) {
    const std::unique_ptr<HostBitmap> bitmap = MemoryBitmapManager().Load(path);
    if (!bitmap) return {};
    return {bitmap->Width(), bitmap->Height(), BitmapRgba(*bitmap)};
}

}  // namespace korvo
