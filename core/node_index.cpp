#include "core/node_index.h"

namespace korvo {

NodeIndex::NodeIndex(const ExportScene& scene) {
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        positions_.emplace(scene.nodes[i].id, static_cast<int32_t>(i));  // the first of equal ids wins
    }
}

int32_t NodeIndex::operator()(int32_t id) const {
    auto it = positions_.find(id);
    return it == positions_.end() ? -1 : it->second;
}

}  // namespace korvo
