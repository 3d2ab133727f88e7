#include "extract/node_order.h"

#include <algorithm>
#include <unordered_map>

namespace korvo {

namespace {

// Names are compared as unsigned bytes, which std::string's ordering does.
void SortByName(std::vector<int>& list, const std::vector<ExportNode>& nodes) {
    const auto before = [&](int a, int b) { return nodes[a].name < nodes[b].name; };
    std::vector<int> sorted = list;
    std::sort(sorted.begin(), sorted.end(), before);
    const bool unique = std::adjacent_find(sorted.begin(), sorted.end(), [&](int a, int b) {
                            return nodes[a].name == nodes[b].name;
                        }) == sorted.end();
    if (unique) {
        list = std::move(sorted);
        return;
    }
    // Equal names can survive the renaming; the exchange sort decides
    // their order, so it is kept for lists that have them.
    for (std::size_t i = 0; i < list.size(); ++i) {
        for (std::size_t j = i + 1; j < list.size(); ++j) {
            if (before(list[j], list[i])) std::swap(list[i], list[j]);
        }
    }
}

void RelinkBrothers(std::vector<ExportNode>& nodes, const std::vector<int>& list) {
    for (std::size_t k = 0; k < list.size(); ++k) {
        nodes[list[k]].brother_prev = k > 0 ? nodes[list[k - 1]].id : -1;
        nodes[list[k]].brother_next = k + 1 < list.size() ? nodes[list[k + 1]].id : -1;
    }
}

}  // namespace

void OrderNodes(std::vector<ExportNode>& nodes) {
    std::unordered_map<int32_t, int> index_of;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) index_of.emplace(nodes[i].id, i);
    const auto index = [&](int32_t id) {
        const auto found = index_of.find(id);
        return found == index_of.end() ? -1 : found->second;
    };

    std::vector<int> roots;
    for (int i = 0; i < static_cast<int>(nodes.size()); ++i) {
        if (nodes[i].parent == -1) roots.push_back(i);
    }
    SortByName(roots, nodes);
    RelinkBrothers(nodes, roots);

    // Every child list is read from the links before any is relinked: a
    // node's brother links belong to its parent's list alone.
    std::vector<std::vector<int>> children(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        for (int c = index(nodes[i].child); c != -1; c = index(nodes[c].brother_next)) children[i].push_back(c);
    }
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        SortByName(children[i], nodes);
        nodes[i].child = children[i].empty() ? -1 : nodes[children[i].front()].id;
        RelinkBrothers(nodes, children[i]);
    }

    std::vector<ExportNode> ordered;
    ordered.reserve(nodes.size());
    std::vector<int> pending(roots.rbegin(), roots.rend());
    while (!pending.empty()) {
        const int i = pending.back();
        pending.pop_back();
        ordered.push_back(std::move(nodes[i]));
        pending.insert(pending.end(), children[i].rbegin(), children[i].rend());
    }
    nodes = std::move(ordered);
}

}  // namespace korvo
