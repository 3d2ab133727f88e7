#include "texture/tex4x4_block.h"

#include <algorithm>
#include <limits>
#include <utility>

#include "texture/color15.h"

namespace korvo {

namespace {

constexpr int kBlockTexels = 16;

struct DistinctColors {
    std::array<uint16_t, 16> colors{};
    std::array<int, 16> counts{};
    int size = 0;
};

DistinctColors CollectDistinct(const BlockTexels& block) {
    DistinctColors distinct;
    for (int t = 0; t < kBlockTexels; ++t) {
        if (!block.opaque[static_cast<std::size_t>(t)]) continue;
        const uint16_t c = block.color[static_cast<std::size_t>(t)];
        int i = 0;
        while (i < distinct.size && distinct.colors[static_cast<std::size_t>(i)] != c) ++i;
        if (i == distinct.size) distinct.colors[static_cast<std::size_t>(distinct.size++)] = c;
        ++distinct.counts[static_cast<std::size_t>(i)];
    }
    return distinct;
}

uint16_t Blend(uint16_t c0, uint16_t c1, int w0, int w1, int divisor) {
    return Pack5((w0 * Red5(c0) + w1 * Red5(c1)) / divisor, (w0 * Green5(c0) + w1 * Green5(c1)) / divisor,
                 (w0 * Blue5(c0) + w1 * Blue5(c1)) / divisor);
}

// The search works on distinct colours weighted by their texel counts:
// the same total as summing over texels, with fewer terms. A combination is
// abandoned once its partial total reaches the best total, since later
// terms only add and only a smaller total replaces the best.
class CombinationSearch {
public:
    explicit CombinationSearch(const DistinctColors& distinct) : d_(distinct) {
        for (int i = 0; i < d_.size; ++i) {
            for (int j = 0; j < d_.size; ++j) dist_[i][j] = WeightedDistance(d_.colors[At(i)], d_.colors[At(j)]);
        }
    }

    // The best combination of k of the distinct colours, the decoder showing
    // them as they are.
    ColorRun BestOf(int k) {
        std::array<int, 16> minima;
        minima.fill(std::numeric_limits<int>::max());
        Recurse(0, k, 0, minima);
        return Result(k);
    }

    // The best pair for the interpolated modes.
    ColorRun BestPair(bool transparent) {
        for (int a = 0; a < d_.size; ++a) {
            for (int b = a + 1; b < d_.size; ++b) {
                ColorRun pair;
                pair.push_back(d_.colors[At(a)]);
                pair.push_back(d_.colors[At(b)]);
                const ColorRun decoded = DecodedColors(pair, Tex4x4Variant::kInterpolated, transparent);
                int total = 0;
                for (int i = 0; i < d_.size && total < best_error_; ++i) {
                    int error = std::min(dist_[i][a], dist_[i][b]);
                    for (std::size_t k = 2; k < static_cast<std::size_t>(decoded.count); ++k) {
                        error = std::min(error, WeightedDistance(d_.colors[At(i)], decoded.colors[k]));
                    }
                    total += d_.counts[At(i)] * error;
                }
                if (total < best_error_) {
                    best_error_ = total;
                    best_ = {a, b};
                }
            }
        }
        return Result(2);
    }

private:
    static std::size_t At(int i) { return static_cast<std::size_t>(i); }

    void Recurse(int depth, int k, int start, const std::array<int, 16>& minima) {
        for (int c = start; c <= d_.size - (k - depth); ++c) {
            current_[At(depth)] = c;
            if (depth == k - 1) {
                int total = 0;
                for (int i = 0; i < d_.size && total < best_error_; ++i) {
                    total += d_.counts[At(i)] * std::min(minima[At(i)], dist_[i][c]);
                }
                if (total < best_error_) {
                    best_error_ = total;
                    best_ = current_;
                }
            } else {
                std::array<int, 16> next;
                for (int i = 0; i < d_.size; ++i) next[At(i)] = std::min(minima[At(i)], dist_[i][c]);
                Recurse(depth + 1, k, c + 1, next);
            }
        }
    }

    ColorRun Result(int k) const {
        ColorRun run;
        for (int i = 0; i < k; ++i) run.push_back(d_.colors[At(best_[At(i)])]);
        return run;
    }

    const DistinctColors& d_;
    std::array<std::array<int, 16>, 16> dist_{};
    int best_error_ = std::numeric_limits<int>::max();
    std::array<int, 4> best_{};
    std::array<int, 4> current_{};
};

}  // namespace

BlockTexels ReadBlock(std::span<const uint8_t> rgba, int width, int bx, int by) {
    BlockTexels block;
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 4; ++column) {
            const std::size_t texel = static_cast<std::size_t>(by * 4 + row) * static_cast<std::size_t>(width) +
                                      static_cast<std::size_t>(bx * 4 + column);
            const uint8_t* p = rgba.data() + texel * 4;
            const std::size_t i = static_cast<std::size_t>(row * 4 + column);
            block.color[i] = Color15(p[0], p[1], p[2]);
            block.opaque[i] = p[3] >= 128;
        }
    }
    return block;
}

bool HasTransparentTexel(const BlockTexels& block) {
    return std::find(block.opaque.begin(), block.opaque.end(), false) != block.opaque.end();
}

int MaxStoredColors(Tex4x4Variant variant, bool transparent) {
    if (variant == Tex4x4Variant::kInterpolated) return 2;
    return transparent ? 3 : 4;
}

ColorRun SelectStoredColors(const BlockTexels& block, Tex4x4Variant variant) {
    const DistinctColors distinct = CollectDistinct(block);
    const bool transparent = HasTransparentTexel(block);
    const int k = MaxStoredColors(variant, transparent);
    if (distinct.size <= k) {
        ColorRun run;
        for (int i = 0; i < distinct.size; ++i) run.push_back(distinct.colors[static_cast<std::size_t>(i)]);
        return run;
    }
    CombinationSearch search(distinct);
    return variant == Tex4x4Variant::kInterpolated ? search.BestPair(transparent) : search.BestOf(k);
}

void OrderStoredColors(ColorRun& run) {
    std::array<int, 4> brightness{};
    for (int i = 0; i < run.count; ++i)
        brightness[static_cast<std::size_t>(i)] = BlockBrightness(run.colors[static_cast<std::size_t>(i)]);
    for (std::size_t i = 0; i < static_cast<std::size_t>(run.count); ++i) {
        std::size_t brightest = i;
        for (std::size_t j = i + 1; j < static_cast<std::size_t>(run.count); ++j) {
            if (brightness[j] > brightness[brightest]) brightest = j;
        }
        std::swap(run.colors[i], run.colors[brightest]);
        std::swap(brightness[i], brightness[brightest]);
    }
    const auto c = run.colors;
    if (run.count == 3) run.colors = {c[0], c[2], c[1], 0};
    if (run.count == 4) run.colors = {c[0], c[3], c[1], c[2]};
}

ColorRun DecodedColors(const ColorRun& stored, Tex4x4Variant variant, bool transparent) {
    if (variant == Tex4x4Variant::kFourColor) return stored;
    const uint16_t c0 = stored.colors[0], c1 = stored.colors[1];
    ColorRun decoded;
    decoded.push_back(c0);
    decoded.push_back(c1);
    if (transparent) {
        decoded.push_back(Blend(c0, c1, 1, 1, 2));
    } else {
        decoded.push_back(Blend(c0, c1, 5, 3, 8));
        decoded.push_back(Blend(c0, c1, 3, 5, 8));
    }
    return decoded;
}

uint32_t BlockWord(const BlockTexels& block, const ColorRun& decoded) {
    uint32_t word = 0;
    for (std::size_t t = 0; t < 16; ++t) {
        uint32_t code = kTransparentCode;
        if (block.opaque[t]) {
            int best = std::numeric_limits<int>::max();
            for (int k = 0; k < decoded.count; ++k) {
                const int distance = WeightedDistance(block.color[t], decoded.colors[static_cast<std::size_t>(k)]);
                if (distance < best) {
                    best = distance;
                    code = static_cast<uint32_t>(k);
                }
            }
        }
        word |= code << (2 * t);
    }
    return word;
}

}  // namespace korvo
