#include "writers/exchange_sort.h"

#include <algorithm>
#include <limits>
#include <numeric>
#include <utility>

namespace korvo {

namespace {

// Maximum of each range of keys, over a power-of-two number of leaves.
class MaxTree {
public:
    explicit MaxTree(const std::vector<int64_t>& keys) {
        while (leaves_ < keys.size()) leaves_ *= 2;
        tree_.assign(2 * leaves_, kNone);
        std::copy(keys.begin(), keys.end(), tree_.begin() + static_cast<std::ptrdiff_t>(leaves_));
        for (std::size_t i = leaves_ - 1; i >= 1; --i) tree_[i] = std::max(tree_[2 * i], tree_[2 * i + 1]);
    }

    void Set(std::size_t position, int64_t key) {
        std::size_t i = position + leaves_;
        tree_[i] = key;
        for (i /= 2; i >= 1; i /= 2) tree_[i] = std::max(tree_[2 * i], tree_[2 * i + 1]);
    }

    // The first position at or after from whose key is larger than key; -1
    // when none is.
    int64_t FirstLarger(std::size_t from, int64_t key) const { return Find(1, 0, leaves_, from, key); }

private:
    static constexpr int64_t kNone = std::numeric_limits<int64_t>::min();

    int64_t Find(std::size_t node, std::size_t begin, std::size_t end, std::size_t from, int64_t key) const {
        if (end <= from || tree_[node] <= key) return -1;
        if (end - begin == 1) return static_cast<int64_t>(begin);
        const std::size_t middle = begin + (end - begin) / 2;
        const int64_t left = Find(2 * node, begin, middle, from, key);
        return left >= 0 ? left : Find(2 * node + 1, middle, end, from, key);
    }

    std::size_t leaves_ = 1;
    std::vector<int64_t> tree_;
};

}  // namespace

std::vector<int32_t> ExchangeSortOrder(std::vector<int64_t> keys) {
    std::vector<int32_t> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    MaxTree tree(keys);
    for (std::size_t i = 0; i < keys.size(); ++i) {
        // Pass i: every later key larger than the one now at i is swapped in,
        // in position order; the item it replaces goes to its place.
        std::size_t from = i + 1;
        for (int64_t j; (j = tree.FirstLarger(from, keys[i])) >= 0; from = static_cast<std::size_t>(j) + 1) {
            const auto k = static_cast<std::size_t>(j);
            std::swap(keys[i], keys[k]);
            std::swap(order[i], order[k]);
            tree.Set(i, keys[i]);
            tree.Set(k, keys[k]);
        }
    }
    return order;
}

}  // namespace korvo
