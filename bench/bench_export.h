#pragma once
// Whole exports for the benchmarks: a quiet host, no settings files, the
// output in a scratch folder, and the time of each stage.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "pipeline/driver.h"

namespace korvo::bench {

std::filesystem::path ScratchFolder();

// Adds up how long each stage of the driver takes, over all iterations.
class StageTimes {
public:
    // Starts timing with a stage of the benchmark's own (e.g. loading).
    void Start(std::string first);
    void Enter(ExportStage stage);
    void Stop();
    // One counter per stage, in milliseconds per iteration.
    void Report(benchmark::State& state) const;

private:
    using Clock = std::chrono::steady_clock;
    std::map<std::string, double> seconds_;
    std::string current_;
    Clock::time_point started_;
};

// Exports the scene into the scratch folder under the given name; adjust
// changes the run's settings. Returns an empty text on success, else what
// the export reported.
std::string QuietExport(std::unique_ptr<HostScene> scene, const std::string& name,
                        const std::function<void(ExportSettings&)>& adjust = {}, StageTimes* times = nullptr);

}  // namespace korvo::bench
