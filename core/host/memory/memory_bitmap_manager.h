#pragma once
// The memory scene's bitmap manager. It cannot decode images yet: every
// load fails, so every bitmap the exporter asks for is missing.

#include <memory>
#include <string>
#include <vector>

#include "core/host/host.h"

namespace korvo {

class MemoryBitmapManager : public HostBitmapManager {
public:
    std::vector<std::string> map_directories;

    // The one place where image files are opened and decoded.
    std::unique_ptr<HostBitmap> Load(const std::string& path) override;
    std::vector<std::string> MapDirectories() const override { return map_directories; }
};

}  // namespace korvo
