#include "pipeline/driver.h"

#include <algorithm>
#include <filesystem>

#include "core/paths.h"
#include "core/progress.h"
#include "core/run_log.h"
#include "extract/light_extraction.h"
#include "extract/material_extraction.h"
#include "extract/scene_extraction.h"
#include "extract/skin_deformation.h"
#include "optimize/color_list_compression.h"
#include "optimize/optimize_scene.h"
#include "settings/menu_settings.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"
#include "pipeline/material_editor.h"
#include "pipeline/run_options.h"
#include "pipeline/unavailable_options.h"
#include "writers/file_writers.h"

namespace korvo {

namespace {

struct OutputKind {
    FileKind kind;
    bool OutputSelection::*selected;
    FileWriter write;
};

// The order in which the files of one run are written.
constexpr OutputKind kOutputs[] = {
    {FileKind::Model, &OutputSelection::imd, WriteModelBody},
    {FileKind::CharacterAnimation, &OutputSelection::ica, WriteCharacterAnimationBody},
    {FileKind::VisibilityAnimation, &OutputSelection::iva, WriteVisibilityAnimationBody},
    {FileKind::MaterialColorAnimation, &OutputSelection::ima, WriteMaterialColorAnimationBody},
    {FileKind::TextureSrtAnimation, &OutputSelection::ita, WriteTextureSrtAnimationBody},
    {FileKind::TexturePatternAnimation, &OutputSelection::itp, WriteTexturePatternAnimationBody},
    {FileKind::SceneData, &OutputSelection::isd, WriteSceneDataBody},
};

// A bone of a selected skinned node is exported with it, or the skin
// would refer to nodes that are not in the file.
std::vector<HostNode*> SelectionWithSkinBones(HostScene& scene) {
    std::vector<HostNode*> nodes;
    auto add = [&nodes](HostNode* node) {
        if (std::find(nodes.begin(), nodes.end(), node) == nodes.end()) nodes.push_back(node);
    };
    for (HostNode* node : scene.SelectedNodes()) {
        add(node);
        if (HostModifier* skin = FindSkinModifier(*node)) {
            for (HostNode* bone : skin->Skin()->Bones()) add(bone);
        }
    }
    return nodes;
}

}  // namespace

std::string_view StageName(ExportStage stage) {
    switch (stage) {
        case ExportStage::SkinDeformationOff: return "skin deformation off";
        case ExportStage::Materials: return "materials";
        case ExportStage::Scene: return "nodes and meshes";
        case ExportStage::SkinDeformationOn: return "skin deformation on";
        case ExportStage::LightsAndCamera: return "lights and camera";
        case ExportStage::Optimize: return "optimisation";
        case ExportStage::ModelLayout: return "model layout";
        case ExportStage::WriteFiles: return "writing";
    }
    return "?";
}

KorvoExporter::KorvoExporter(Host& host, ProcessState& process)
    : host_(host), process_(process), diagnostics_([this](const Diagnostic& report) { Report(report); }) {
    SettingsState& current = process_.current;
    if (!process_.batch) {
        if (!ReadMenuSettings(ConfigPath(kMenuSettingsFileName), current)) current.save_load_scene_settings = 1;
        const bool keep_scene_settings = current.save_load_scene_settings && current.settings_taken_from_scene;
        if (!keep_scene_settings && !ReadSettingsFile(ConfigPath(kDefaultSettingsFileName), current.settings)) {
            ResetSettings(current, /*keep_output=*/false);
        }
    }
    // Repaired where every export copies them from, so that the run and
    // the "max.k3es" written back hold the repaired values.
    RepairSettings(current.settings);
    settings_ = current.settings;
}

KorvoExporter::~KorvoExporter() {
    if (process_.batch) return;
    process_.current.settings = settings_;
    WriteSettingsFile(ConfigPath(kDefaultSettingsFileName), process_.current.settings, host_.Now(), host_);
    WriteMenuSettings(ConfigPath(kMenuSettingsFileName), process_.current, host_);
}

std::string KorvoExporter::ConfigPath(const std::string& name) const {
    return JoinConfigPath(host_.PluginConfigDir(), name);
}

void KorvoExporter::Stage(ExportStage stage) {
    if (on_stage) on_stage(stage);
}

Feedback& KorvoExporter::RunFeedback() { return process_.batch_feedback ? *process_.batch_feedback : host_; }

// Warnings go to the run's log, errors to a message box (in a batch, the
// batch's feedback makes them lines of its log).
void KorvoExporter::Report(const Diagnostic& report) {
    if (on_diagnostic) on_diagnostic(report);
    if (report.severity == Severity::Error) {
        RunFeedback().MessageBox(report.text, report.caption, MessageStyle::Error);
    } else {
        log_.Add(report.text);
    }
}

// The display advances over the run's steps; a cancel request is refused,
// since an export cannot stop half-way.
void KorvoExporter::StartProgress(int total_steps) {
    progress_ = Progress(
        total_steps,
        [this](int percent, bool show_percent, const std::string& text) {
            RunFeedback().ProgressUpdate(percent, show_percent, text);
        },
        [this] {
            Feedback& feedback = RunFeedback();
            if (!feedback.CancelRequested()) return;
            feedback.MessageBox("Cancelling export is not currently supported.", "Not Supported",
                                MessageStyle::Information);
            feedback.ClearCancel();
        });
    RunFeedback().ProgressStart("Exporting Korvo Data");
}

int KorvoExporter::DoExport(const std::string& name, bool suppress_prompts, uint32_t options) {
    ResetScene(scene_);
    log_ = RunLog{};
    progress_ = Progress{};
    written_.clear();

    settings_ = process_.current.settings;
    process_.current.option_word = static_cast<int32_t>(options);

    bool show_dialog = true;
    if (options & kExportFromScript) {
        const bool names_missing = settings_.process_mode == 1 &&
                                   (settings_.output_file_name.empty() || settings_.output_folder.empty());
        show_dialog = !suppress_prompts || (options & kExportShowDialog) || names_missing;
    } else {
        std::string file = FileNamePart(name);
        file.resize(file.size() > 4 ? file.size() - 4 : 0);  // the ".imd"
        settings_.output_file_name = file;
        settings_.output_folder = ToForwardSlashes(FolderPart(name));
    }

    if (show_dialog && !process_.batch && options_dialog && !options_dialog(*this)) return 1;

    ExportSettings run = settings_;
    if (run_overrides) run_overrides(run);
    ReportUnavailableOptions(run, diagnostics_);
    return ExportRun(run, options);
}

int KorvoExporter::ExportRun(const ExportSettings& run, uint32_t option_word) {
    std::string editor_folder;
    if (run.process_mode == 0 && !PrepareMaterialEditorFolder(host_, diagnostics_, editor_folder)) return 0;
    if (run.output_file_name.empty()) {
        // Only the options dialog could have asked for a name; without one
        // the files would be written as ".imd" and friends.
        diagnostics_.Error("Output File Name is empty.", "No Output File Name");
        return 0;
    }

    HostScene& host_scene = host_.Scene();
    const int ticks = host_scene.TicksPerFrame();
    const int scene_start = host_scene.AnimationStart() / ticks;
    const int scene_end = host_scene.AnimationEnd() / ticks;
    const ExportOptions options = MakeExportOptions(run, ClampFrameRange(run, scene_start, scene_end, diagnostics_));
    StartProgress(TotalSteps(options));

    SceneWrapper wrapper;
    if (!options.export_selection) {
        wrapper.InitialiseAll(host_scene);
    } else {
        wrapper.Initialise(host_scene, SelectionWithSkinBones(host_scene), /*hierarchy=*/true);
    }
    wrapper.SetStaticFrame(0);

    auto fail = [this] {
        FlushRunLog(/*failed=*/true);
        TeardownScene(scene_);
        RunFeedback().ProgressEnd();
        return 0;
    };

    if (wrapper.TotalNodeCount() == 0) {
        diagnostics_.Error("No nodes in the scene", "Node Export Error");
        return fail();
    }

    scene_.scene_file_name = host_scene.FileName();

    Extraction extraction{scene_, host_scene, wrapper, options, diagnostics_, progress_};
    Stage(ExportStage::SkinDeformationOff);
    SwitchSkinDeformation(extraction, false);
    Stage(ExportStage::Materials);
    bool extracted = ExtractMaterials(extraction);
    if (extracted) {
        Stage(ExportStage::Scene);
        extracted = ExtractScene(extraction);
    }
    Stage(ExportStage::SkinDeformationOn);
    SwitchSkinDeformation(extraction, true);
    if (!extracted) return fail();
    Stage(ExportStage::LightsAndCamera);
    ExtractLightsAndCamera(extraction);

    const std::string folder = ToForwardSlashes(run.process_mode == 1 ? run.output_folder : editor_folder);
    const std::string base_path = JoinPath(folder, run.output_file_name + ".imd");
    if (!PostProcessAndWrite(options, base_path, option_word)) return fail();

    if (run.process_mode == 0) StartMaterialEditor(host_, diagnostics_, run);
    FlushRunLog(/*failed=*/false);
    TeardownScene(scene_);
    RunFeedback().ProgressEnd();
    return 1;
}

void KorvoExporter::FlushRunLog(bool failed) {
    if (process_.batch && process_.batch_messages) process_.batch_messages(log_.messages(), failed);
    log_.Flush(RunFeedback());
}

bool KorvoExporter::PostProcessAndWrite(const ExportOptions& options, const std::string& base_path,
                                        uint32_t option_word) {
    Stage(ExportStage::Optimize);
    OptimizeScene(scene_, options, diagnostics_, progress_);

    // Everything the model file's sections share is laid out before any
    // writer runs; the writers change neither it nor the records.
    ModelLayout layout;
    if (options.outputs.imd) {
        Stage(ExportStage::ModelLayout);
        // Colour indices are renumbered before the layout records them.
        CompressColorLists(scene_, progress_);
        layout = LayOutModel(scene_, progress_);
    }

    Stage(ExportStage::WriteFiles);
    const WriterInput input{scene_, options, layout};
    bool asking = (option_word & kExportFromScript) && options.process_mode == ProcessMode::IntermediateFiles &&
                  !process_.batch;
    for (const OutputKind& output : kOutputs) {
        if (!(options.outputs.*output.selected)) continue;
        const std::string path = ReplaceExtension(base_path, KindInfo(output.kind).root);
        if (asking && std::filesystem::exists(path)) {
            switch (host_.AskOverwrite(path)) {
                case OverwriteAnswer::Cancel: return true;
                case OverwriteAnswer::No: continue;
                case OverwriteAnswer::YesToAll: asking = false; break;
                case OverwriteAnswer::Yes: break;
            }
        }
        if (!WriteOneFile(output.kind, output.write, input, path) && output.kind != FileKind::SceneData) {
            return false;
        }
    }
    return true;
}

bool KorvoExporter::WriteOneFile(FileKind kind, FileWriter write, const WriterInput& input, const std::string& path) {
    const Provenance provenance{host_.UserName(), host_.ComputerName(), FormatProvenanceDate(host_.Now()),
                                scene_.scene_file_name};
    const bool written = WriteFramedFile(diagnostics_, path, kind, provenance,
                                         [&](TextWriter& out) { return write(out, input, diagnostics_, progress_); });
    if (!written) return false;
    written_.push_back(path);
    return true;
}

}  // namespace korvo
