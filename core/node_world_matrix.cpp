#include "core/node_world_matrix.h"

#include "core/node_index.h"

namespace korvo {

std::vector<ColumnMatrix> NodeWorldMatrices(const ExportScene& scene) {
    const NodeIndex node_index(scene);
    const std::size_t count = scene.nodes.size();
    std::vector<ColumnMatrix> world(count);
    std::vector<char> state(count, 0);  // 0 to do, 1 in progress, 2 done
    std::vector<std::size_t> chain;
    for (std::size_t start = 0; start < count; ++start) {
        // Walk up to the first finished ancestor, then fill in on the way down.
        chain.clear();
        for (int32_t i = static_cast<int32_t>(start); i >= 0 && state[static_cast<std::size_t>(i)] == 0;
             i = node_index(scene.nodes[static_cast<std::size_t>(i)].parent)) {
            state[static_cast<std::size_t>(i)] = 1;
            chain.push_back(static_cast<std::size_t>(i));
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const ExportNode& node = scene.nodes[*it];
            const ColumnMatrix local = LocalMatrix(node.scale, node.rotate, node.translate);
            const int32_t parent = node_index(node.parent);
            const bool parent_done = parent >= 0 && state[static_cast<std::size_t>(parent)] == 2;
            world[*it] = parent_done ? world[static_cast<std::size_t>(parent)] * local : local;
            state[*it] = 2;
        }
    }
    return world;
}

}  // namespace korvo
