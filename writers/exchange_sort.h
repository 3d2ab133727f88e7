#pragma once
// The order left by the exchange sort the file formats were defined with:
// for each position i, for each later position j in order, swap the two
// when j's key is larger than i's. The sort is not stable, and the written
// order of envelopes and matrices depends on exactly where it leaves equal
// keys.

#include <cstdint>
#include <vector>

namespace korvo {

// Returns, for each output position, the input position of the item that
// the exchange sort puts there. The swaps are replayed in the same order,
// each next one found with a max tree, so a pass costs one search per swap
// instead of one comparison per later item.
std::vector<int32_t> ExchangeSortOrder(std::vector<int64_t> keys);

}  // namespace korvo
