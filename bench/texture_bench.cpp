// Compressed-texture (tex4x4) encoding of a 1024 x 1024 photograph, the
// largest texture the hardware takes: the exhaustive colour search in every
// block, the palette runs and, since a photograph needs more palette than
// the 14-bit offsets reach, the palette reduction.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>

#include "bench_images.h"
#include "texture/tex4x4.h"
#include "texture/texture_decoder.h"

namespace {

const korvo::bench::Image& Photograph() {
    static const korvo::bench::Image image = [] {
        const auto source = korvo::LoadImageRgba(std::string(KORVO_ASSETS_DIR) + "/images/astronaut.png");
        return source.width > 0 ? korvo::bench::Scale(source, 1024, 1024) : source;
    }();
    return image;
}

// PSNR of the decoded texture against the source reduced to 5 bits.
double Psnr(const std::vector<uint8_t>& source, const std::vector<uint8_t>& decoded) {
    double squares = 0.0;
    for (std::size_t i = 0; i < source.size(); ++i) {
        if (i % 4 == 3) continue;
        const int s = source[i] >> 3, d = decoded[i] >> 3;
        const double diff = ((s << 3) | (s >> 2)) - ((d << 3) | (d >> 2));
        squares += diff * diff;
    }
    return 10.0 * std::log10(255.0 * 255.0 / (squares / (static_cast<double>(source.size()) * 3 / 4)));
}

std::vector<uint8_t> Decoded(const korvo::Tex4x4Texture& compressed, const korvo::bench::Image& image) {
    korvo::EncodedTexture encoded;
    encoded.format = 4;
    encoded.width = image.width;
    encoded.height = image.height;
    encoded.units.assign(compressed.blocks.begin(), compressed.blocks.end());
    encoded.block_palette_indices = compressed.palette_indices;
    encoded.palette = compressed.palette;
    return korvo::DecodeTexture(encoded);
}

std::vector<uint8_t> TilewiseDecoded(const korvo::bench::Image& image, korvo::Tex4x4Variant variant) {
    constexpr int kTile = 256;
    std::vector<uint8_t> decoded(image.rgba.size());
    for (int ty = 0; ty < image.height; ty += kTile) {
        for (int tx = 0; tx < image.width; tx += kTile) {
            korvo::bench::Image tile{kTile, kTile, std::vector<uint8_t>(kTile * kTile * 4)};
            for (int y = 0; y < kTile; ++y) {
                std::copy_n(&image.rgba[((ty + y) * static_cast<std::size_t>(image.width) + tx) * 4], kTile * 4,
                            &tile.rgba[static_cast<std::size_t>(y) * kTile * 4]);
            }
            const auto tile_decoded = Decoded(korvo::CompressTex4x4(tile.rgba, kTile, kTile, variant), tile);
            for (int y = 0; y < kTile; ++y) {
                std::copy_n(&tile_decoded[static_cast<std::size_t>(y) * kTile * 4], kTile * 4,
                            &decoded[((ty + y) * static_cast<std::size_t>(image.width) + tx) * 4]);
            }
        }
    }
    return decoded;
}

void CompressPhotograph(benchmark::State& state, korvo::Tex4x4Variant variant) {
    const auto& image = Photograph();
    if (image.width == 0) {
        state.SkipWithError("the shared images are missing");
        return;
    }
    korvo::Tex4x4Texture compressed;
    for (auto _ : state) {
        compressed = korvo::CompressTex4x4(image.rgba, image.width, image.height, variant);
        benchmark::DoNotOptimize(compressed.blocks.data());
    }
    state.counters["palette"] = static_cast<double>(compressed.palette.size());
    state.counters["psnr_db"] = Psnr(image.rgba, Decoded(compressed, image));
    // What the palette reduction costs in quality: the same image in
    // 256 x 256 tiles, each of whose palettes fits without reduction.
    state.counters["unreduced_psnr_db"] = Psnr(image.rgba, TilewiseDecoded(image, variant));
}

void Tex4x4Cmp(benchmark::State& state) { CompressPhotograph(state, korvo::Tex4x4Variant::kFourColor); }
void Tex4x4Cmp2(benchmark::State& state) { CompressPhotograph(state, korvo::Tex4x4Variant::kInterpolated); }

BENCHMARK(Tex4x4Cmp)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(Tex4x4Cmp2)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
