#include "bench_export.h"

#include <sstream>

#include "app/console_host.h"

namespace korvo::bench {

std::filesystem::path ScratchFolder() {
    auto folder = std::filesystem::temp_directory_path() / "korvo-bench";
    std::filesystem::create_directories(folder);
    return folder;
}

void StageTimes::Start(std::string first) {
    current_ = std::move(first);
    started_ = Clock::now();
}

void StageTimes::Enter(ExportStage stage) {
    const auto now = Clock::now();
    if (!current_.empty()) seconds_[current_] += std::chrono::duration<double>(now - started_).count();
    current_ = std::string(StageName(stage));
    started_ = now;
}

void StageTimes::Stop() {
    if (!current_.empty()) seconds_[current_] += std::chrono::duration<double>(Clock::now() - started_).count();
    current_.clear();
}

void StageTimes::Report(benchmark::State& state) const {
    for (const auto& [stage, seconds] : seconds_) {
        state.counters[stage + " ms"] = benchmark::Counter(seconds * 1000.0, benchmark::Counter::kAvgIterations);
    }
}

std::string QuietExport(std::unique_ptr<HostScene> scene, const std::string& name,
                        const std::function<void(ExportSettings&)>& adjust, StageTimes* times) {
    const auto folder = ScratchFolder();
    ConsoleOptions options;
    options.quiet = true;
    options.assume_yes = true;
    options.config_dir = (folder / "config").string();
    std::istringstream in;
    std::ostringstream out, err;
    ConsoleHost host(options, in, out, err);
    host.SetScene(std::move(scene));
    ProcessState process;
    process.batch = true;  // no settings files: measure the export alone
    KorvoExporter exporter(host, process);
    exporter.run_overrides = [&](ExportSettings& run) {
        run.output_file_name = name;
        run.output_folder = folder.string();
        if (adjust) adjust(run);
    };
    if (times) exporter.on_stage = [times](ExportStage stage) { times->Enter(stage); };
    const int result = exporter.DoExport("", true, kExportFromScript);
    if (times) times->Stop();
    if (result == 1 && host.ErrorCount() == 0) return {};
    return err.str().empty() ? "the export failed" : err.str();
}

}  // namespace korvo::bench
