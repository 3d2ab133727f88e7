// A large mesh through the whole export: a grid of 50,000 quads (100,000
// triangles) with vertex colours, exported with quads rebuilt from triangle
// pairs and indexed vertex lists. Reports the time of each stage.

#include <benchmark/benchmark.h>

#include "bench_export.h"
#include "host/memory/memory_scene.h"

namespace {

constexpr int kGridQuads = 50'000;
constexpr int kColumns = 250;  // 250 x 200 quads
constexpr int kRows = kGridQuads / kColumns;

void BuildGrid(korvo::MemoryScene& scene) {
    scene.start_frame = 0;
    scene.end_frame = 0;
    korvo::MemoryNode& node = scene.AddNode(nullptr, "Terrain");
    node.kind = korvo::ObjectKind::Mesh;
    node.vertex_color_display = true;
    auto mesh = std::make_unique<korvo::MemoryMesh>();
    for (int row = 0; row <= kRows; ++row) {
        for (int column = 0; column <= kColumns; ++column) {
            const float height = static_cast<float>((row * 7 + column * 13) % 17) * 0.01f;
            mesh->vertices.push_back({static_cast<float>(column) * 0.05f, static_cast<float>(row) * 0.05f, height});
            // 64 distinct colours repeated over the grid, as painted meshes tend to be.
            const int shade = (row / 8 * 8 + column / 8) % 64;
            mesh->color_vertices.push_back({static_cast<float>(shade) / 63.0f, 0.5f, 1.0f - static_cast<float>(shade) / 63.0f});
        }
    }
    const int stride = kColumns + 1;
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            const int a = row * stride + column;
            korvo::MemoryPolygon quad;
            quad.position = {a, a + 1, a + stride + 1, a + stride};
            quad.color = quad.position;
            mesh->polygons.push_back(std::move(quad));
        }
    }
    node.mesh = std::move(mesh);
    scene.Link();
}

void ExportLargeMesh(benchmark::State& state) {
    korvo::bench::StageTimes times;
    for (auto _ : state) {
        state.PauseTiming();
        auto scene = std::make_unique<korvo::MemoryScene>();
        BuildGrid(*scene);
        state.ResumeTiming();
        const std::string error = korvo::bench::QuietExport(
            std::move(scene), "terrain",
            [](korvo::ExportSettings& run) {
                run.vertex_style = 1;   // index: exercises the vertex lists too
                run.triangulation = 0;  // as_is: quads rebuilt from triangle pairs
            },
            &times);
        if (!error.empty()) state.SkipWithError(error.c_str());
    }
    times.Report(state);
}
BENCHMARK(ExportLargeMesh)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
