#pragma once
// The exporter object the host creates for one export command, and the
// driver that runs an export from the host's call to the last file.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "core/run_log.h"
#include "host/host.h"
#include "pipeline/process_state.h"
#include "writers/file_frame.h"
#include "writers/file_writers.h"

namespace korvo {

// Bits of the option word of the host's export call.
inline constexpr uint32_t kExportFromScript = 2;  // started by a script or a batch
inline constexpr uint32_t kExportShowDialog = 4;  // show the options dialog even then

// The stages of one run, in the order they run.
enum class ExportStage {
    SkinDeformationOff,
    Materials,
    Scene,
    SkinDeformationOn,
    LightsAndCamera,
    Optimize,
    ModelLayout,
    WriteFiles,
};

std::string_view StageName(ExportStage stage);

class KorvoExporter {
public:
    // Outside a batch, reads the menu settings and the default settings file
    // from the host's plug-in configuration folder.
    KorvoExporter(Host& host, ProcessState& process);
    // Outside a batch, writes both back.
    ~KorvoExporter();
    KorvoExporter(const KorvoExporter&) = delete;
    KorvoExporter& operator=(const KorvoExporter&) = delete;

    // The host's export call. Returns 1 on success or when the options
    // dialog was cancelled, 0 on failure.
    int DoExport(const std::string& name, bool suppress_prompts, uint32_t options);

    // The working copy of the settings, which the options dialog edits and
    // which goes back to the current settings when the exporter goes.
    ExportSettings& Settings() { return settings_; }

    // Shows the options dialog over the working copy; false is Cancel.
    // Without one, the settings are taken as they stand.
    std::function<bool(KorvoExporter&)> options_dialog;
    // Changes for one run only (they are not remembered), applied after
    // the dialog: the command line's options.
    std::function<void(ExportSettings&)> run_overrides;
    // Told when each stage starts; for timings and tests.
    std::function<void(ExportStage)> on_stage;
    // Told of every warning and error of a run, in order, before the log
    // and the message boxes see them; for tests and tools.
    std::function<void(const Diagnostic&)> on_diagnostic;

    // The files the last run wrote, in the order written.
    const std::vector<std::string>& WrittenFiles() const { return written_; }

private:
    int ExportRun(const ExportSettings& run, uint32_t option_word);
    bool PostProcessAndWrite(const ExportOptions& options, const std::string& base_path, uint32_t option_word);
    bool WriteOneFile(FileKind kind, FileWriter write, const WriterInput& input, const std::string& path);
    Feedback& RunFeedback();
    void Report(const Diagnostic& report);
    void StartProgress(int total_steps);
    void FlushRunLog(bool failed);
    void Stage(ExportStage stage);
    std::string ConfigPath(const std::string& name) const;

    Host& host_;
    ProcessState& process_;
    ExportScene scene_;
    ExportSettings settings_;
    RunLog log_;
    Diagnostics diagnostics_;
    Progress progress_;
    std::vector<std::string> written_;
};

}  // namespace korvo
