#include "app/cli.h"

#include <CLI/CLI.hpp>
#include <filesystem>
#include <iostream>

#include "app/console_host.h"
#include "app/scene_loader.h"
#include "pipeline/driver.h"
#include "settings/menu_settings.h"
#include "settings/settings_file.h"
#include "settings/settings_keys.h"

namespace korvo {

namespace {

constexpr const char* kExamples = R"(Examples:
  korvo-export export examples/simple.json -o out/simple.imd
      Export the model file of a scene document into out/.
  korvo-export export hero.json -o out/hero.imd --set vertex_style=index --isd
      Index the vertices, and also write the scene data file.
  korvo-export export hero.json --settings release.k3es --select Hero,Sword --yes
      Export two nodes with a settings file, replacing existing files.
  korvo-export export character.glb -o out/character.imd --animation Walk --fps 60
      Export a glTF file with its animation "Walk" sampled at 60 frames a second.
  korvo-export export character.glb --list-animations
      List the glTF file's animations with their frame ranges.

Exit status: 0 success, 1 export failed, 2 usage or input error.
Settings: max.k3es and menusettings.bin in $KORVO_EXPORT_CONFIG_DIR, else
$XDG_CONFIG_HOME/korvo-export, else ~/.config/korvo-export. Options given on
the command line apply to that run only; docs/settings.md lists every key.
An option that is not available yet prints a warning saying what is not done.)";

struct ExportCommand {
    std::string scene;
    std::string output;
    std::string settings_file;
    std::vector<std::string> sets;
    std::vector<std::string> select;
    bool isd = false;
    bool yes = false;
    bool quiet = false;
    // glTF files only.
    std::string animation;
    double fps = kDefaultGltfFps;
    bool list_animations = false;
};

struct SettingChange {
    std::string key, value;
};

// Everything the run will change, checked before anything is exported.
struct RunPlan {
    std::vector<SettingChange> changes;
    std::string output_name;
    std::string output_folder;
    // What the run will do differently from what was asked.
    std::vector<std::string> warnings;
};

class UsageError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Warn(const ExportCommand& options, std::ostream& err, const std::string& text) {
    if (!options.quiet) err << "korvo-export: warning: " << text << '\n';
}

HostNode* FindNodeByName(HostNode* node, const std::string& name) {
    for (HostNode* child : node->Children()) {
        if (child->Name() == name) return child;
        if (HostNode* found = FindNodeByName(child, name)) return found;
    }
    return nullptr;
}

RunPlan PlanRun(const ExportCommand& options, ExportSettings& scratch) {
    RunPlan plan;
    const std::string& file = options.settings_file;
    if (!file.empty()) {
        if (!ReadSettingsFile(file, scratch)) throw UsageError("cannot read settings file \"" + file + "\"");
        const std::pair<const char*, const std::string&> names[] = {{"output_file_name", scratch.output_file_name},
                                                                    {"output_folder", scratch.output_folder}};
        for (const auto& [key, name] : names) {
            if (name.empty()) continue;
            plan.warnings.push_back(file + ": " + key + "=\"" + name + "\" is not used; the output is where -o says");
        }
    }
    for (const std::string& assignment : options.sets) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos) throw UsageError("--set " + assignment + ": expected key=value");
        SettingChange change{assignment.substr(0, equals), assignment.substr(equals + 1)};
        if (change.key == "output_file_name" || change.key == "output_folder") {
            throw UsageError("--set " + assignment + ": the output's name and folder are given with -o PATH/NAME.imd");
        }
        std::string error;
        if (!SetSettingByKey(scratch, change.key, change.value, &error)) throw UsageError("--set " + assignment + ": " + error);
        plan.changes.push_back(std::move(change));
    }
    // --set refuses such values, so only the settings file can have them.
    for (const std::string& repaired : RepairSettings(scratch)) plan.warnings.push_back(file + ": " + repaired);
    const std::filesystem::path output = options.output.empty()
                                             ? std::filesystem::path(std::filesystem::path(options.scene).stem().string() + ".imd")
                                             : std::filesystem::path(options.output);
    if (output.has_extension() && output.extension() != ".imd") {
        throw UsageError("the output must name a .imd file: \"" + options.output + "\"");
    }
    plan.output_name = output.stem().string();
    plan.output_folder = output.parent_path().string();
    if (plan.output_name.empty()) throw UsageError("the output has no file name: \"" + options.output + "\"");
    return plan;
}

int ListAnimations(const ExportCommand& options, std::ostream& out, std::ostream& err) {
    if (!IsGltfPath(options.scene)) {
        err << "korvo-export: --list-animations needs a glTF file (.gltf or .glb)\n";
        return kExitUsage;
    }
    std::string error;
    const std::vector<GltfAnimationInfo> animations = ListGltfAnimations(options.scene, options.fps, &error);
    if (!error.empty()) {
        err << "korvo-export: " << error << '\n';
        return kExitUsage;
    }
    if (animations.empty()) out << "no animations\n";
    for (const GltfAnimationInfo& animation : animations) {
        out << animation.index << " \"" << animation.name << "\" frames " << animation.start_frame << " to "
            << animation.end_frame << '\n';
    }
    return kExitSuccess;
}

// The scene, read once the output is known: a glTF file's embedded images
// go beside the output.
std::unique_ptr<HostScene> LoadScene(const ExportCommand& options, const RunPlan& plan, std::ostream& err) {
    if (!IsGltfPath(options.scene) && (!options.animation.empty() || options.fps != kDefaultGltfFps)) {
        throw UsageError("--animation and --fps apply to glTF files (.gltf or .glb) only");
    }
    GltfOptions gltf;
    gltf.animation = options.animation;
    gltf.fps = options.fps;
    gltf.image_folder = EmbeddedImageFolder(plan.output_folder, plan.output_name);
    std::string error;
    std::vector<std::string> warnings;
    std::unique_ptr<HostScene> scene = LoadSceneFile(options.scene, gltf, &error, &warnings);
    if (!options.quiet) {
        for (const std::string& warning : warnings) err << "korvo-export: warning: " << warning << '\n';
    }
    if (!scene) throw UsageError(error);
    return scene;
}

int RunExport(const ExportCommand& options, std::istream& in, std::ostream& out, std::ostream& err, Terminal terminal) {
    if (options.list_animations) return ListAnimations(options, out, err);

    ExportSettings scratch;
    RunPlan plan;
    std::unique_ptr<HostScene> scene;
    try {
        plan = PlanRun(options, scratch);
        scene = LoadScene(options, plan, err);
        if (scene->StoredSettings()) {
            plan.warnings.push_back(options.scene + ": stored_settings is not available yet; the settings come from " +
                                    kDefaultSettingsFileName + " and the command line");
        }
        std::vector<HostNode*> selection;
        for (const std::string& name : options.select) {
            HostNode* node = FindNodeByName(scene->Root(), name);
            if (!node) throw UsageError("no node named \"" + name + "\" in " + options.scene);
            selection.push_back(node);
        }
        if (!options.select.empty()) scene->SetSelection(selection);
        if (!plan.output_folder.empty()) {
            std::error_code failed;
            std::filesystem::create_directories(plan.output_folder, failed);
            if (failed) throw UsageError("cannot create the output folder \"" + plan.output_folder + "\": " + failed.message());
        }
    } catch (const UsageError& e) {
        err << "korvo-export: " << e.what() << '\n';
        return kExitUsage;
    }
    for (const std::string& warning : plan.warnings) Warn(options, err, warning);

    ConsoleOptions console;
    console.quiet = options.quiet;
    console.assume_yes = options.yes;
    console.progress_line = terminal.stderr_is_tty;
    console.can_ask = terminal.stdin_is_tty && terminal.stderr_is_tty;
    console.config_dir = DefaultConfigDir();
    ConsoleHost host(console, in, out, err);
    host.SetScene(std::move(scene));

    ProcessState process;
    int result = 0;
    std::vector<std::string> written;
    {
        KorvoExporter exporter(host, process);
        exporter.run_overrides = [&](ExportSettings& run) {
            if (!options.settings_file.empty()) ReadSettingsFile(options.settings_file, run);
            for (const SettingChange& change : plan.changes) SetSettingByKey(run, change.key, change.value, nullptr);
            RepairSettings(run);  // said in the plan's warnings
            if (options.isd) run.output_isd = 1;
            if (!options.select.empty()) run.export_all = 0;
            run.output_file_name = plan.output_name;
            run.output_folder = plan.output_folder;
            if (run.process_mode == 0) {
                Warn(options, err,
                     "process_mode=\"3d_material_editor\" is not available from the command line yet; the files are "
                     "written as intermediate files into the output folder");
                run.process_mode = 1;
            }
            if (run.merge_imd) {
                Warn(options, err,
                     "merge_imd=\"on\" is not available from the command line yet; nothing is merged into \"" +
                         run.merge_imd_path + "\"");
            }
        };
        result = exporter.DoExport(options.output, /*suppress_prompts=*/true, kExportFromScript);
        written = exporter.WrittenFiles();
    }
    if (!options.quiet) {
        for (const std::string& path : written) out << "wrote " << path << '\n';
    }
    if (result == 0) {
        err << "korvo-export: export of " << options.scene << " failed\n";
        return kExitExportFailed;
    }
    return host.ErrorCount() > 0 || host.RefusedOverwrite() ? kExitExportFailed : kExitSuccess;
}

}  // namespace

int RunCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
                   Terminal terminal) {
    CLI::App app{"korvo-export: exports 3D scenes to the KORVO SDK's intermediate files "
                 "(.imd model, .ica/.iva/.ima/.itp/.ita animation, .isd scene data)."};
    app.name("korvo-export");
    app.footer(kExamples);
    app.require_subcommand(1);

    ExportCommand options;
    CLI::App* export_command = app.add_subcommand("export", "Export one scene.");
    export_command->add_option("scene", options.scene, "Scene document (.json) or glTF file (.gltf, .glb)")->required();
    export_command->add_option("-o,--output", options.output,
                               "Output model file PATH/NAME.imd; the other files go beside it "
                               "(default: the scene's name in the current folder)");
    export_command->add_option("--settings", options.settings_file, "Settings file (.k3es) for this run");
    export_command->add_option("--set", options.sets,
                               "One setting as in a .k3es file, e.g. vertex_style=index; docs/settings.md lists them")
        ->take_all();
    export_command->add_option("--select", options.select, "Export only these nodes (names, comma-separated)")
        ->delimiter(',');
    export_command->add_flag("--isd", options.isd,
                             "Also write the scene data file (.isd): camera and directional lights");
    export_command->add_flag("-y,--yes", options.yes, "Overwrite existing files without asking");
    export_command->add_flag("-q,--quiet", options.quiet, "Print nothing but errors");
    export_command->add_option("--animation", options.animation,
                               "glTF: the animation to export, by name or index (default: the first)");
    export_command->add_option("--fps", options.fps, "glTF: frames per second to sample the animation at")
        ->default_val(kDefaultGltfFps)
        ->check(CLI::Range(1.0, 4800.0));
    export_command->add_flag("--list-animations", options.list_animations,
                             "glTF: list the file's animations with their frame ranges, export nothing");
    export_command->footer(kExamples);

    try {
        std::vector<std::string> args(argv + 1, argv + argc);
        std::reverse(args.begin(), args.end());
        app.parse(args);
    } catch (const CLI::CallForHelp&) {
        out << app.help();
        return kExitSuccess;
    } catch (const CLI::CallForAllHelp&) {
        out << app.help("", CLI::AppFormatMode::All);
        return kExitSuccess;
    } catch (const CLI::ParseError& e) {
        err << "korvo-export: " << e.what() << "\nRun \"korvo-export --help\" for usage.\n";
        return kExitUsage;
    }

    if (export_command->parsed()) return RunExport(options, in, out, err, terminal);
    return kExitUsage;
}

}  // namespace korvo
