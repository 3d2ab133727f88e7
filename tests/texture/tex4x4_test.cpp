#include <gtest/gtest.h>

#include <limits>
#include <random>

#include "texture/color15.h"
#include "texture/tex4x4.h"
#include "texture/tex4x4_palette.h"
#include "texture/texture_decoder.h"
#include "texture_images.h"

namespace korvo {
namespace {

// ---------------------------------------------------------------- plain search

uint16_t PlainBlend(uint16_t a, uint16_t b, int wa, int wb, int divisor) {
    return Pack5((wa * Red5(a) + wb * Red5(b)) / divisor, (wa * Green5(a) + wb * Green5(b)) / divisor,
                 (wa * Blue5(a) + wb * Blue5(b)) / divisor);
}

// The search as first written: every combination, in order, summed over
// the sixteen texels, the first of equal totals kept.
std::vector<uint16_t> PlainSelect(const BlockTexels& block, Tex4x4Variant variant) {
    std::vector<uint16_t> distinct;
    bool transparent = false;
    for (std::size_t t = 0; t < 16; ++t) {
        if (!block.opaque[t]) {
            transparent = true;
        } else if (std::find(distinct.begin(), distinct.end(), block.color[t]) == distinct.end()) {
            distinct.push_back(block.color[t]);
        }
    }
    const bool pairs = variant == Tex4x4Variant::kInterpolated;
    const std::size_t k = pairs ? 2 : transparent ? 3 : 4;
    if (distinct.size() <= k) return distinct;
    std::vector<uint16_t> best;
    long long best_error = std::numeric_limits<long long>::max();
    std::vector<std::size_t> pick(k);
    for (std::size_t i = 0; i < k; ++i) pick[i] = i;
    const std::size_t n = distinct.size();
    while (true) {
        std::vector<uint16_t> stored, decoded;
        for (std::size_t i : pick) stored.push_back(distinct[i]);
        decoded = stored;
        if (pairs && transparent) decoded.push_back(PlainBlend(stored[0], stored[1], 1, 1, 2));
        if (pairs && !transparent) {
            decoded.push_back(PlainBlend(stored[0], stored[1], 5, 3, 8));
            decoded.push_back(PlainBlend(stored[0], stored[1], 3, 5, 8));
        }
        long long error = 0;
        for (std::size_t t = 0; t < 16; ++t) {
            if (!block.opaque[t]) continue;
            int nearest = std::numeric_limits<int>::max();
            for (uint16_t c : decoded) nearest = std::min(nearest, WeightedDistance(block.color[t], c));
            error += nearest;
        }
        if (error < best_error) {
            best_error = error;
            best = stored;
        }
        // Next combination in lexicographic order.
        std::size_t i = k;
        while (i > 0 && pick[i - 1] == n - k + i - 1) --i;
        if (i == 0) break;
        ++pick[i - 1];
        for (std::size_t j = i; j < k; ++j) pick[j] = pick[j - 1] + 1;
    }
    return best;
}

BlockTexels RandomBlock(std::mt19937& random) {
    // Few channel values and a small colour pool give repeats and equal totals.
    const int levels = 2 + static_cast<int>(random() % 30);
    const int pool_size = 1 + static_cast<int>(random() % 20);
    std::vector<uint16_t> pool;
    for (int i = 0; i < pool_size; ++i) {
        pool.push_back(Pack5(static_cast<int>(random() % levels), static_cast<int>(random() % levels),
                             static_cast<int>(random() % levels)));
    }
    const unsigned transparent_chance = random() % 3;  // 0: none
    BlockTexels block;
    for (std::size_t t = 0; t < 16; ++t) {
        block.color[t] = pool[random() % pool.size()];
        block.opaque[t] = transparent_chance == 0 || random() % 8 >= transparent_chance;
    }
    return block;
}

TEST(Tex4x4Test, PrunedSearchChoosesWhatThePlainSearchChooses) {
    std::mt19937 random(11);
    for (int round = 0; round < 3000; ++round) {
        const BlockTexels block = RandomBlock(random);
        for (Tex4x4Variant variant : {Tex4x4Variant::kFourColor, Tex4x4Variant::kInterpolated}) {
            const ColorRun chosen = SelectStoredColors(block, variant);
            const std::vector<uint16_t> fast(chosen.view().begin(), chosen.view().end());
            ASSERT_EQ(fast, PlainSelect(block, variant)) << "round " << round;
        }
    }
}

// ---------------------------------------------------------------- palette runs

TEST(Tex4x4Test, RunPaletteFindsWhatAScanFinds) {
    std::mt19937 random(5);
    for (int round = 0; round < 200; ++round) {
        RunPalette fast;
        std::vector<uint16_t> plain;
        for (int block = 0; block < 60; ++block) {
            std::vector<uint16_t> run(1 + random() % 4);
            for (uint16_t& c : run) c = static_cast<uint16_t>(random() % 3 == 0 ? kPaletteFiller : random() % 3);
            int32_t expected = -1;
            if (run.size() == 1) {
                const auto at = std::find(plain.begin(), plain.end(), run[0]);
                expected = static_cast<int32_t>(at - plain.begin());
                if (at == plain.end()) plain.push_back(run[0]);
                ASSERT_EQ(fast.PlaceColor(run[0]), expected);
                continue;
            }
            for (std::size_t p = 0; p + run.size() <= plain.size() && expected < 0; p += 2) {
                if (std::equal(run.begin(), run.end(), plain.begin() + static_cast<std::ptrdiff_t>(p))) {
                    expected = static_cast<int32_t>(p);
                }
            }
            if (expected < 0) {
                if (plain.size() % 2 != 0) plain.push_back(kPaletteFiller);
                expected = static_cast<int32_t>(plain.size());
                plain.insert(plain.end(), run.begin(), run.end());
            }
            ASSERT_EQ(fast.PlaceRun(run), expected);
        }
        ASSERT_EQ(fast.colors(), plain);
    }
}

// ---------------------------------------------------------------- whole textures

// Every block with a few opaque colours and, in some blocks, transparent
// texels: colours per block at most limit (fewer with transparency in the
// four-colour variant).
std::vector<uint8_t> FewColorsPerBlock(int size, Tex4x4Variant variant, std::mt19937& random) {
    std::vector<uint8_t> rgba(static_cast<std::size_t>(size * size) * 4);
    for (int by = 0; by < size / 4; ++by) {
        for (int bx = 0; bx < size / 4; ++bx) {
            const bool transparent = random() % 3 == 0;
            const std::size_t count = 1 + random() % static_cast<unsigned>(variant == Tex4x4Variant::kInterpolated ? 2
                                                                           : transparent                           ? 3
                                                                                                                   : 4);
            std::vector<std::array<uint8_t, 3>> colors(count);
            for (auto& c : colors) c = {uint8_t(random()), uint8_t(random()), uint8_t(random())};
            for (int t = 0; t < 16; ++t) {
                uint8_t* p = &rgba[(static_cast<std::size_t>(by * 4 + t / 4) * static_cast<std::size_t>(size) +
                                    static_cast<std::size_t>(bx * 4 + t % 4)) *
                                   4];
                const auto& c = colors[random() % count];
                std::copy(c.begin(), c.end(), p);
                p[3] = transparent && t % 5 == 0 ? 0 : 255;
            }
        }
    }
    return rgba;
}

EncodedTexture AsEncoded(const Tex4x4Texture& c, int width, int height) {
    EncodedTexture e;
    e.format = 4;
    e.width = width;
    e.height = height;
    e.units.assign(c.blocks.begin(), c.blocks.end());
    e.block_palette_indices = c.palette_indices;
    e.palette = c.palette;
    return e;
}

TEST(Tex4x4Test, BlocksWithFewColoursDecodeExactly) {
    std::mt19937 random(3);
    for (Tex4x4Variant variant : {Tex4x4Variant::kFourColor, Tex4x4Variant::kInterpolated}) {
        const std::vector<uint8_t> source = FewColorsPerBlock(32, variant, random);
        const Tex4x4Texture compressed = CompressTex4x4(source, 32, 32, variant);
        const std::vector<uint8_t> decoded = DecodeTexture(AsEncoded(compressed, 32, 32));
        ASSERT_EQ(decoded.size(), source.size());
        for (std::size_t t = 0; t < source.size() / 4; ++t) {
            if (source[t * 4 + 3] == 0) {
                EXPECT_EQ(decoded[t * 4 + 3], 0);
                continue;
            }
            for (std::size_t c = 0; c < 3; ++c) EXPECT_EQ(decoded[t * 4 + c] >> 3, source[t * 4 + c] >> 3);
        }
    }
}

// A smooth picture: diagonal gradients with a soft ripple.
std::vector<uint8_t> Smooth(int size) {
    std::vector<uint8_t> rgba;
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const double ripple = 20.0 * std::sin(x * 0.2) * std::cos(y * 0.15);
            rgba.push_back(static_cast<uint8_t>(std::clamp(x * 2 + ripple + 30, 0.0, 255.0)));
            rgba.push_back(static_cast<uint8_t>(std::clamp(y * 2 - ripple + 30, 0.0, 255.0)));
            rgba.push_back(static_cast<uint8_t>((x + y) % 256));
            rgba.push_back(255);
        }
    }
    return rgba;
}

// Every decoded channel within max_error 5-bit steps of its source.
int MaxChannelError(const std::vector<uint8_t>& source, const std::vector<uint8_t>& decoded) {
    int worst = 0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (i % 4 != 3) worst = std::max(worst, std::abs((source[i] >> 3) - (decoded[i] >> 3)));
    }
    return worst;
}

TEST(Tex4x4Test, SmoothImageDecodesWithinTwoSteps) {
    const std::vector<uint8_t> source = Smooth(128);
    for (Tex4x4Variant variant : {Tex4x4Variant::kFourColor, Tex4x4Variant::kInterpolated}) {
        const Tex4x4Texture compressed = CompressTex4x4(source, 128, 128, variant);
        EXPECT_LE(compressed.palette.size(), kMaxTex4x4Palette);
        const std::vector<uint8_t> decoded = DecodeTexture(AsEncoded(compressed, 128, 128));
        EXPECT_LE(MaxChannelError(source, decoded), 2);
    }
}

// A palette limit far below what the blocks need forces the reduction.
TEST(Tex4x4Test, ReducedPaletteFitsItsLimitAndStaysClose) {
    std::vector<uint8_t> source = Smooth(128);
    std::mt19937 random(9);
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (i % 4 != 3)
            source[i] = static_cast<uint8_t>(std::clamp(source[i] + static_cast<int>(random() % 17) - 8, 0, 255));
        if (i % 4 == 3 && i / 4 % 97 == 0) source[i] = 0;
    }
    for (Tex4x4Variant variant : {Tex4x4Variant::kFourColor, Tex4x4Variant::kInterpolated}) {
        const Tex4x4Texture full = CompressTex4x4(source, 128, 128, variant);
        const Tex4x4Texture reduced = CompressTex4x4(source, 128, 128, variant, 1024);
        ASSERT_GT(full.palette.size(), 1024u);
        EXPECT_LE(reduced.palette.size(), 1024u);
        for (uint16_t index : reduced.palette_indices)
            EXPECT_LT((index & kBlockOffsetMask) * 2u, reduced.palette.size());
        const double full_psnr = test::Psnr5(source, DecodeTexture(AsEncoded(full, 128, 128)), 128, 128, 128);
        const double reduced_psnr = test::Psnr5(source, DecodeTexture(AsEncoded(reduced, 128, 128)), 128, 128, 128);
        std::printf("reduction to 1024 colours, %s: PSNR %.2f dB (unreduced %.2f dB)\n",
                    variant == Tex4x4Variant::kFourColor ? "_cmp" : "_cmp2", reduced_psnr, full_psnr);
        EXPECT_GT(reduced_psnr, full_psnr - 8.0);
    }
}

}  // namespace
}  // namespace korvo
