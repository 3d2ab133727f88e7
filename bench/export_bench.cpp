// Whole exports of the bundled example, from loading the scene document to
// the last file written.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <sstream>

#include "app/console_host.h"
#include "core/driver.h"
#include "core/host/document/scene_document.h"

namespace {

std::filesystem::path ScratchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "korvo-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

void ExportExample(benchmark::State& state) {
    const std::string scene_path = std::string(KORVO_SOURCE_DIR) + "/examples/simple.json";
    const auto folder = ScratchFolder();
    std::istringstream in;
    std::ostringstream out, err;
    korvo::ConsoleOptions options;
    options.quiet = true;
    options.assume_yes = true;
    options.config_dir = (folder / "config").string();

    for (auto _ : state) {
        std::string error;
        auto scene = korvo::LoadSceneDocument(scene_path, &error);
        if (!scene) {
            state.SkipWithError(error.c_str());
            return;
        }
        korvo::ConsoleHost host(options, in, out, err);
        host.SetScene(std::move(scene));
        korvo::ProcessState process;
        process.batch = true;  // no settings files: measure the export alone
        korvo::KorvoExporter exporter(host, process);
        exporter.run_overrides = [&](korvo::ExportSettings& run) {
            run.output_file_name = "simple";
            run.output_folder = folder.string();
            run.output_ica = run.output_iva = run.output_ima = run.output_itp = run.output_ita = 1;
        };
        benchmark::DoNotOptimize(exporter.DoExport("", true, korvo::kExportFromScript));
    }
}
BENCHMARK(ExportExample)->Unit(benchmark::kMillisecond);

}  // namespace
