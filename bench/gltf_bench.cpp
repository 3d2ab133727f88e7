// A 100,000-triangle glTF file: reading it into a host scene, and the whole
// export from the file to the last output file. The file is a grid of
// 250 x 200 quads with normals, texture coordinates and vertex colours,
// written once as .glb into the scratch folder (bench/compare-gltfpack.sh
// times other tools on the same file).

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "app/scene_loader.h"
#include "bench_export.h"

namespace {

constexpr int kColumns = 250, kRows = 200;  // 50,000 quads, 100,000 triangles

template <class T>
void Append(std::string& bytes, const std::vector<T>& values) {
    const std::size_t at = bytes.size();
    bytes.resize(at + values.size() * sizeof(T));
    std::memcpy(bytes.data() + at, values.data(), values.size() * sizeof(T));
}

void AppendWord(std::string& bytes, uint32_t word) { Append(bytes, std::vector<uint32_t>{word}); }

// The grid's buffer and the JSON that describes it.
std::string GridGlb() {
    std::vector<float> positions, normals, uvs;
    std::vector<uint8_t> colors;
    for (int row = 0; row <= kRows; ++row) {
        for (int column = 0; column <= kColumns; ++column) {
            const float x = static_cast<float>(column) * 0.05f, z = static_cast<float>(row) * 0.05f;
            const float height = 0.2f * std::sin(x) * std::cos(z);
            positions.insert(positions.end(), {x, height, z});
            const float nx = -0.2f * std::cos(x) * std::cos(z), nz = 0.2f * std::sin(x) * std::sin(z);
            const float length = std::sqrt(nx * nx + 1.0f + nz * nz);
            normals.insert(normals.end(), {nx / length, 1.0f / length, nz / length});
            uvs.insert(uvs.end(), {static_cast<float>(column) / kColumns, static_cast<float>(row) / kRows});
            // 64 colours in patches, as painted meshes tend to have.
            const auto shade = static_cast<uint8_t>((row / 8 * 8 + column / 8) % 64 * 4);
            colors.insert(colors.end(), {shade, 128, static_cast<uint8_t>(255 - shade), 255});
        }
    }
    std::vector<uint32_t> indices;
    const uint32_t stride = kColumns + 1;
    for (uint32_t row = 0; row < kRows; ++row) {
        for (uint32_t column = 0; column < kColumns; ++column) {
            const uint32_t a = row * stride + column;
            indices.insert(indices.end(), {a, a + stride, a + 1, a + 1, a + stride, a + stride + 1});
        }
    }
    std::string bin;
    std::string views, accessors;
    int view_count = 0;
    const std::size_t vertices = positions.size() / 3;
    // One buffer view and one accessor per attribute, accessor i on view i.
    auto add = [&](const auto& values, int component, const char* type, std::size_t count, const std::string& extra) {
        const std::size_t offset = bin.size();
        Append(bin, values);
        const std::string separator = view_count > 0 ? "," : "";
        views += separator + "{\"buffer\":0,\"byteOffset\":" + std::to_string(offset) +
                 ",\"byteLength\":" + std::to_string(bin.size() - offset) + "}";
        accessors += separator + "{\"bufferView\":" + std::to_string(view_count++) +
                     ",\"componentType\":" + std::to_string(component) + ",\"count\":" + std::to_string(count) +
                     ",\"type\":\"" + type + "\"" + extra + "}";
    };
    add(positions, 5126, "VEC3", vertices,
        ",\"min\":[0,-0.2,0],\"max\":[" + std::to_string(kColumns * 0.05) + ",0.2," + std::to_string(kRows * 0.05) +
            "]");
    add(normals, 5126, "VEC3", vertices, "");
    add(uvs, 5126, "VEC2", vertices, "");
    add(colors, 5121, "VEC4", vertices, ",\"normalized\":true");
    add(indices, 5125, "SCALAR", indices.size(), "");
    std::string json = R"({"asset":{"version":"2.0"},"scene":0,"scenes":[{"nodes":[0]}],)"
                       R"("nodes":[{"name":"Terrain","mesh":0}],"meshes":[{"primitives":[{"attributes":)"
                       R"({"POSITION":0,"NORMAL":1,"TEXCOORD_0":2,"COLOR_0":3},"indices":4}]}],)"
                       R"("buffers":[{"byteLength":)" +
                       std::to_string(bin.size()) + "}],\"bufferViews\":[" + views + "],\"accessors\":[" + accessors +
                       "]}";
    while (json.size() % 4 != 0) json += ' ';
    std::string glb = "glTF";
    AppendWord(glb, 2);
    AppendWord(glb, static_cast<uint32_t>(12 + 8 + json.size() + 8 + bin.size()));
    AppendWord(glb, static_cast<uint32_t>(json.size()));
    AppendWord(glb, 0x4E4F534A);  // JSON
    glb += json;
    AppendWord(glb, static_cast<uint32_t>(bin.size()));
    AppendWord(glb, 0x004E4942);  // BIN
    return glb + bin;
}

// The grid file, written on first use.
const std::string& GridPath() {
    static const std::string path = [] {
        const std::string written = (korvo::bench::ScratchFolder() / "grid-100k.glb").string();
        std::ofstream(written, std::ios::binary) << GridGlb();
        return written;
    }();
    return path;
}

void LoadGltfGrid(benchmark::State& state) {
    const std::string& path = GridPath();
    for (auto _ : state) {
        std::string error;
        auto scene = korvo::LoadSceneFile(path, korvo::GltfOptions{}, &error, nullptr);
        if (!scene) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(scene.get());
    }
}
BENCHMARK(LoadGltfGrid)->Unit(benchmark::kMillisecond);

void ExportGltfGrid(benchmark::State& state) {
    const std::string& path = GridPath();
    korvo::bench::StageTimes times;
    for (auto _ : state) {
        times.Start("loading");
        std::string error;
        auto scene = korvo::LoadSceneFile(path, korvo::GltfOptions{}, &error, nullptr);
        if (scene) error = korvo::bench::QuietExport(std::move(scene), "grid-100k", {}, &times);
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
    times.Report(state);
}
BENCHMARK(ExportGltfGrid)->Unit(benchmark::kMillisecond);

}  // namespace
