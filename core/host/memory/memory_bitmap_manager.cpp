#include "core/host/memory/memory_bitmap_manager.h"

namespace korvo {

std::unique_ptr<HostBitmap> MemoryBitmapManager::Load(const std::string& /*path*/) { return nullptr; }

}  // namespace korvo
