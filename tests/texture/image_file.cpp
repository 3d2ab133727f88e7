#include "image_file.h"

// The decoder is compiled into this file alone, with internal linkage, so
// it cannot clash with another copy linked into the program.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

#include <memory>

namespace korvo::test {

LoadedImage LoadImageRgba(const std::string& path) {
    LoadedImage image;
    int channels = 0;
    std::unique_ptr<stbi_uc, void (*)(void*)> pixels(stbi_load(path.c_str(), &image.width, &image.height, &channels, 4),
                                                     stbi_image_free);
    if (!pixels) return {};
    image.rgba.assign(pixels.get(), pixels.get() + static_cast<std::size_t>(image.width) * image.height * 4);
    return image;
}

}  // namespace korvo::test
