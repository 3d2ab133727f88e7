#include "texture/tex4x4_reduction.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <queue>

#include "texture/color15.h"

namespace korvo {

namespace {

constexpr std::size_t kMaxDims = 12;
constexpr int kRefinements = 2;
// How much of c0 each code of the interpolated modes decodes to (the rest
// is c1).
constexpr std::array<double, 4> kOpaqueShareOfC0{1.0, 0.0, 5.0 / 8.0, 3.0 / 8.0};
constexpr std::array<double, 4> kTransparentShareOfC0{1.0, 0.0, 0.5, 0.0};

using Rgb = std::array<double, 3>;

Rgb Channels(uint16_t c) { return {double(Red5(c)), double(Green5(c)), double(Blue5(c))}; }

uint16_t ToColor(const Rgb& c) {
    auto channel = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 31); };
    return Pack5(channel(c[0]), channel(c[1]), channel(c[2]));
}

Rgb Mix(const Rgb& a, const Rgb& b, double t) {
    return {a[0] + (b[0] - a[0]) * t, a[1] + (b[1] - a[1]) * t, a[2] + (b[2] - a[2]) * t};
}

// The stored colours spread over the run length of the group, one channel
// per dimension, so that blocks that stored fewer colours sit near similar
// blocks that stored all.
std::array<float, kMaxDims> ColorVector(const ColorRun& stored, int length) {
    std::array<Rgb, 4> slots{};
    const Rgb bright = Channels(stored.colors[0]);
    slots.fill(bright);
    if (stored.count > 1) {
        const Rgb dark = Channels(stored.colors[1]);
        slots[1] = dark;
        if (length == 3) {
            slots[2] = stored.count == 3 ? Channels(stored.colors[2]) : Mix(bright, dark, 0.5);
        } else if (length == 4 && stored.count == 4) {
            slots[2] = Channels(stored.colors[2]);
            slots[3] = Channels(stored.colors[3]);
        } else if (length == 4 && stored.count == 3) {
            slots[2] = slots[3] = Channels(stored.colors[2]);
        } else if (length == 4) {
            slots[2] = Mix(bright, dark, 1.0 / 3.0);
            slots[3] = Mix(bright, dark, 2.0 / 3.0);
        }
    }
    std::array<float, kMaxDims> vector{};
    for (std::size_t d = 0; d < kMaxDims; ++d) vector[d] = static_cast<float>(slots[d / 3][d % 3]);
    return vector;
}

struct Group {
    int length = 0;                    // colours in each run
    std::vector<std::size_t> members;  // block indices
    std::size_t budget = 0;            // runs
};

// The blocks of one group as weighted points, cut into boxes.
class MedianCut {
public:
    MedianCut(std::span<const BlockTexels> blocks, std::span<const ColorRun> stored, const Group& group)
        : dims_(static_cast<std::size_t>(group.length) * 3), points_(group.members.size() * dims_) {
        for (std::size_t i = 0; i < group.members.size(); ++i) {
            const std::size_t block = group.members[i];
            const auto vector = ColorVector(stored[block], group.length);
            std::copy_n(vector.begin(), dims_, Point(i));
            weights_.push_back(
                static_cast<double>(std::count(blocks[block].opaque.begin(), blocks[block].opaque.end(), true)));
            order_.push_back(i);
        }
    }

    // Boxes as ranges of order(), at most budget of them.
    std::vector<std::pair<std::size_t, std::size_t>> Cut(std::size_t budget) {
        auto larger_error = [](const Box& a, const Box& b) { return a.error < b.error; };
        std::priority_queue<Box, std::vector<Box>, decltype(larger_error)> open(larger_error);
        std::vector<std::pair<std::size_t, std::size_t>> done;
        if (!order_.empty()) open.push(Measure(0, order_.size()));
        while (!open.empty()) {
            const Box box = open.top();
            open.pop();
            if (box.error <= 0.0 || open.size() + done.size() + 1 >= budget) {
                done.emplace_back(box.begin, box.end);
                continue;
            }
            const std::size_t middle = Split(box);
            open.push(Measure(box.begin, middle));
            open.push(Measure(middle, box.end));
        }
        return done;
    }

    // The weighted mean of a box as a run.
    ColorRun Mean(std::size_t begin, std::size_t end, int length) const {
        std::array<double, kMaxDims> sum{};
        double total = 0.0;
        for (std::size_t k = begin; k < end; ++k) {
            const std::size_t i = order_[k];
            for (std::size_t d = 0; d < dims_; ++d) sum[d] += weights_[i] * Point(i)[d];
            total += weights_[i];
        }
        ColorRun run;
        for (int s = 0; s < length; ++s) {
            const std::size_t d = static_cast<std::size_t>(s * 3);
            run.push_back(ToColor({sum[d] / total, sum[d + 1] / total, sum[d + 2] / total}));
        }
        return run;
    }

    const std::vector<std::size_t>& order() const { return order_; }

private:
    struct Box {
        std::size_t begin = 0, end = 0;
        double error = 0.0;
        std::size_t dim = 0;
        float threshold = 0.0f;
    };

    float* Point(std::size_t i) { return points_.data() + i * dims_; }
    const float* Point(std::size_t i) const { return points_.data() + i * dims_; }

    Box Measure(std::size_t begin, std::size_t end) const {
        std::array<double, kMaxDims> sum{}, squares{};
        std::array<float, kMaxDims> low, high;
        low.fill(1e9f);
        high.fill(-1e9f);
        double total = 0.0;
        for (std::size_t k = begin; k < end; ++k) {
            const std::size_t i = order_[k];
            const double w = weights_[i];
            total += w;
            for (std::size_t d = 0; d < dims_; ++d) {
                const float x = Point(i)[d];
                sum[d] += w * x;
                squares[d] += w * x * x;
                low[d] = std::min(low[d], x);
                high[d] = std::max(high[d], x);
            }
        }
        Box box{begin, end, 0.0, 0, 0.0f};
        double widest = -1.0;
        for (std::size_t d = 0; d < dims_; ++d) {
            if (high[d] <= low[d]) continue;  // no spread: nothing to split here
            const double error = std::max(0.0, squares[d] - sum[d] * sum[d] / total);
            box.error += error;
            if (error > widest) {
                widest = error;
                box.dim = d;
                box.threshold = static_cast<float>(sum[d] / total);
            }
        }
        return box;
    }

    std::size_t Split(const Box& box) {
        const auto first = order_.begin() + static_cast<std::ptrdiff_t>(box.begin);
        const auto last = order_.begin() + static_cast<std::ptrdiff_t>(box.end);
        auto below = [&](std::size_t i) { return Point(i)[box.dim] < box.threshold; };
        auto middle = std::partition(first, last, below);
        if (middle == first || middle == last) {
            // Rounding put the mean on an end of the spread: split by count.
            middle = first + (last - first) / 2;
            std::nth_element(first, middle, last,
                             [&](std::size_t a, std::size_t b) { return Point(a)[box.dim] < Point(b)[box.dim]; });
        }
        return static_cast<std::size_t>(middle - order_.begin());
    }

    std::size_t dims_;
    std::vector<float> points_;
    std::vector<double> weights_;
    std::vector<std::size_t> order_;
};

// Total error of the box's blocks drawn with one run.
long long BoxError(std::span<const BlockTexels> blocks, std::span<const std::size_t> members, const ColorRun& run,
                   Tex4x4Variant variant) {
    long long total = 0;
    for (std::size_t block : members) {
        const ColorRun decoded = DecodedColors(run, variant, HasTransparentTexel(blocks[block]));
        for (std::size_t t = 0; t < 16; ++t) {
            if (!blocks[block].opaque[t]) continue;
            int best = WeightedDistance(blocks[block].color[t], decoded.colors[0]);
            for (std::size_t k = 1; k < static_cast<std::size_t>(decoded.count); ++k) {
                best = std::min(best, WeightedDistance(blocks[block].color[t], decoded.colors[k]));
            }
            total += best;
        }
    }
    return total;
}

// One refinement step: every colour the decoder derives moves towards the
// texels coded to it.
ColorRun Refine(std::span<const BlockTexels> blocks, std::span<const std::size_t> members, const ColorRun& run,
                Tex4x4Variant variant) {
    // Per texel coded k: decoded = a * c0 + b * c1 for the interpolated
    // modes; for the four-colour runs each code is its own colour.
    std::array<Rgb, 4> sums{};
    std::array<double, 4> counts{};
    double aa = 0, ab = 0, bb = 0;
    Rgb ax{}, bx{};
    for (std::size_t block : members) {
        const bool transparent = HasTransparentTexel(blocks[block]);
        const uint32_t word = BlockWord(blocks[block], DecodedColors(run, variant, transparent));
        for (std::size_t t = 0; t < 16; ++t) {
            if (!blocks[block].opaque[t]) continue;
            const std::size_t code = (word >> (2 * t)) & 3;
            const Rgb x = Channels(blocks[block].color[t]);
            for (std::size_t c = 0; c < 3; ++c) sums[code][c] += x[c];
            counts[code] += 1.0;
            const double a = transparent ? kTransparentShareOfC0[code] : kOpaqueShareOfC0[code];
            const double b = 1.0 - a;
            aa += a * a;
            ab += a * b;
            bb += b * b;
            for (std::size_t c = 0; c < 3; ++c) {
                ax[c] += a * x[c];
                bx[c] += b * x[c];
            }
        }
    }
    ColorRun refined = run;
    if (variant == Tex4x4Variant::kFourColor) {
        for (std::size_t k = 0; k < static_cast<std::size_t>(run.count); ++k) {
            if (counts[k] > 0)
                refined.colors[k] = ToColor({sums[k][0] / counts[k], sums[k][1] / counts[k], sums[k][2] / counts[k]});
        }
        return refined;
    }
    const double det = aa * bb - ab * ab;
    if (std::abs(det) < 1e-9) return refined;
    Rgb c0{}, c1{};
    for (std::size_t c = 0; c < 3; ++c) {
        c0[c] = (bb * ax[c] - ab * bx[c]) / det;
        c1[c] = (aa * bx[c] - ab * ax[c]) / det;
    }
    refined.colors[0] = ToColor(c0);
    refined.colors[1] = ToColor(c1);
    return refined;
}

std::vector<Group> MakeGroups(std::span<const BlockTexels> blocks, std::span<const ColorRun> stored,
                              Tex4x4Variant variant, std::size_t limit) {
    std::vector<Group> groups;
    if (variant == Tex4x4Variant::kInterpolated) {
        groups.resize(1);
        groups[0].length = 2;
    } else {
        groups.resize(2);
        groups[0].length = 4;
        groups[1].length = 3;
    }
    for (std::size_t b = 0; b < blocks.size(); ++b) {
        if (stored[b].count == 0) continue;
        const bool to_second = variant == Tex4x4Variant::kFourColor && HasTransparentTexel(blocks[b]);
        groups[to_second ? 1 : 0].members.push_back(b);
    }
    // A run costs its length rounded up to even: runs start at even positions.
    const std::size_t runs = limit / (variant == Tex4x4Variant::kInterpolated ? 2 : 4);
    std::size_t blocks_with_colors = 0;
    for (const Group& g : groups) blocks_with_colors += g.members.size();
    for (Group& g : groups) {
        if (!g.members.empty()) g.budget = std::max<std::size_t>(1, runs * g.members.size() / blocks_with_colors);
    }
    // Each group keeps at least one run; the other gives way.
    while (groups.size() == 2 && groups[0].budget + groups[1].budget > runs) {
        --groups[groups[0].budget > groups[1].budget ? 0 : 1].budget;
    }
    for (Group& g : groups) g.budget = std::min(g.budget, g.members.size());
    return groups;
}

}  // namespace

std::vector<ColorRun> ReduceBlockRuns(std::span<const BlockTexels> blocks, std::span<const ColorRun> stored,
                                      Tex4x4Variant variant, std::size_t limit) {
    std::vector<ColorRun> runs(blocks.size());
    for (const Group& group : MakeGroups(blocks, stored, variant, limit)) {
        if (group.members.empty()) continue;
        MedianCut cut(blocks, stored, group);
        for (const auto& [begin, end] : cut.Cut(group.budget)) {
            std::vector<std::size_t> members;
            for (std::size_t k = begin; k < end; ++k) members.push_back(group.members[cut.order()[k]]);
            ColorRun run = cut.Mean(begin, end, group.length);
            long long error = BoxError(blocks, members, run, variant);
            for (int step = 0; step < kRefinements; ++step) {
                const ColorRun refined = Refine(blocks, members, run, variant);
                const long long refined_error = BoxError(blocks, members, refined, variant);
                if (refined_error >= error) break;
                run = refined;
                error = refined_error;
            }
            for (std::size_t block : members) runs[block] = run;
        }
    }
    return runs;
}

}  // namespace korvo
