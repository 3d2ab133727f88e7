// Whole exports of the bundled example, from loading the scene document to
// the last file written.

#include <benchmark/benchmark.h>

#include "bench_export.h"
#include "host/document/scene_document.h"

namespace {

void ExportExample(benchmark::State& state) {
    const std::string scene_path = std::string(KORVO_SOURCE_DIR) + "/examples/simple.json";
    for (auto _ : state) {
        std::string error;
        auto scene = korvo::LoadSceneDocument(scene_path, &error);
        if (scene) {
            error = korvo::bench::QuietExport(std::move(scene), "simple", [](korvo::ExportSettings& run) {
                run.output_ica = run.output_iva = run.output_ima = run.output_itp = run.output_ita = 1;
            });
        }
        if (!error.empty()) {
            state.SkipWithError(error.c_str());
            return;
        }
    }
}
BENCHMARK(ExportExample)->Unit(benchmark::kMillisecond);

}  // namespace
