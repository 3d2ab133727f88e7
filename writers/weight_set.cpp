#include "writers/weight_set.h"

#include <algorithm>

namespace korvo {

int32_t WholePercent(float weight) { return static_cast<int32_t>(weight * 100 + 0.5); }

std::size_t WeightSetKeyHash::operator()(const WeightSetKey& key) const {
    uint64_t hash = static_cast<uint64_t>(static_cast<uint32_t>(key.count)) * 0x9E3779B97F4A7C15u;
    for (const auto& [node, percent] : key.pairs) {
        const uint64_t pair = (uint64_t{static_cast<uint32_t>(node)} << 32) | static_cast<uint32_t>(percent);
        hash ^= pair + 0x9E3779B97F4A7C15u + (hash << 6) + (hash >> 2);
    }
    return static_cast<std::size_t>(hash);
}

WeightSetKey KeyOf(const SkinEntry& entry) {
    WeightSetKey key;
    key.count = entry.count;
    const std::size_t n =
        std::min({static_cast<std::size_t>(std::max(entry.count, 0)), entry.weights.size(), entry.nodes.size()});
    key.pairs.reserve(n);
    for (std::size_t i = 0; i < n; ++i) key.pairs.emplace_back(entry.nodes[i], WholePercent(entry.weights[i]));
    std::sort(key.pairs.begin(), key.pairs.end());
    key.pairs.erase(std::unique(key.pairs.begin(), key.pairs.end()), key.pairs.end());
    return key;
}

bool EqualWeightSets(const WeightSetKey& first, const WeightSetKey& second) {
    return first.count == second.count &&
           std::includes(second.pairs.begin(), second.pairs.end(), first.pairs.begin(), first.pairs.end());
}

}  // namespace korvo
