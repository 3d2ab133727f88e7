#pragma once

#include <cstdint>
#include <unordered_map>

#include "core/export_scene.h"

namespace korvo {

// Node id -> position in the scene's node list; -1 for an absent or
// unknown id. Taken once, after the node list is final.
class NodeIndex {
public:
    explicit NodeIndex(const ExportScene& scene);
    int32_t operator()(int32_t id) const;

private:
    std::unordered_map<int32_t, int32_t> positions_;
};

}  // namespace korvo
