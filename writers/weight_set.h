#pragma once
// Skin weight sets as the matrix palette compares them. Two sets are equal
// when they have the same weight count and every (node, weight in whole
// percent) pair of the first is also a pair of the second. The test is not
// symmetric when a set repeats a pair: {A 50, A 50} is equal to
// {A 50, B 50}, but not the other way round.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/export_scene.h"

namespace korvo {

// weight x 100 + 0.5, truncated.
int32_t WholePercent(float weight);

// What the equality test sees of a skin entry: its weight count and the
// set of its distinct (node id, whole percent) pairs, sorted.
struct WeightSetKey {
    int32_t count = 0;
    std::vector<std::pair<int32_t, int32_t>> pairs;

    friend bool operator==(const WeightSetKey&, const WeightSetKey&) = default;

    // No pair repeats: only then can a set be equal to one of another key.
    bool distinct() const { return pairs.size() == static_cast<std::size_t>(count); }
};

struct WeightSetKeyHash {
    std::size_t operator()(const WeightSetKey& key) const;
};

WeightSetKey KeyOf(const SkinEntry& entry);

// The equality test above, on keys: first's pairs all among second's.
bool EqualWeightSets(const WeightSetKey& first, const WeightSetKey& second);

}  // namespace korvo
