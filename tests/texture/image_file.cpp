#include "image_file.h"

#include "core/host/bitmap_pixels.h"
#include "core/host/memory/memory_bitmap_manager.h"

namespace korvo::test {

LoadedImage LoadImageRgba(const std::string& path) {
    MemoryBitmapManager images;
    const std::unique_ptr<HostBitmap> bitmap = images.Load(path);
    if (!bitmap) return {};
    return {bitmap->Width(), bitmap->Height(), BitmapRgba(*bitmap)};
}

}  // namespace korvo::test
