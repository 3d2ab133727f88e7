#include "pipeline/driver.h"

#include <filesystem>
#include <gtest/gtest.h>

#include "pipeline/run_options.h"
#include "settings/menu_settings.h"
#include "settings/settings_file.h"
#include "support/reports.h"
#include "support/test_host.h"

namespace korvo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::TestHost;
using test::WriteFile;

class DriverTest : public ::testing::Test {
protected:
    DriverTest() : host(config.path().string()) {
        host.scene.file_name = "hero.max";
        host.scene.start_frame = 0;
        host.scene.end_frame = 10;
        host.scene.AddNode(nullptr, "Root").kind = ObjectKind::Helper;
        host.scene.Link();
    }

    // Runs one export as a script would: names from the settings, prompts
    // suppressed, overwrite questions asked.
    int Export(uint32_t options = kExportFromScript) {
        KorvoExporter exporter(host, process);
        exporter.on_stage = [this](ExportStage stage) { stages.push_back(stage); };
        exporter.on_diagnostic = [this](const Diagnostic& report) { reported.push_back(report); };
        exporter.run_overrides = [this](ExportSettings& run) {
            run.output_file_name = "hero";
            run.output_folder = out.path().string();
            run.use_primitive_strip = 0;  // not available yet: it would warn in every run
            if (adjust) adjust(run);
        };
        const int result = exporter.DoExport("ignored.imd", true, options);
        written = exporter.WrittenFiles();
        return result;
    }

    std::string Out(const std::string& name) const { return out.file(name); }

    TempDir config, out;
    TestHost host;
    ProcessState process;
    std::function<void(ExportSettings&)> adjust;
    std::vector<ExportStage> stages;
    std::vector<Diagnostic> reported;
    std::vector<std::string> written;
};

TEST_F(DriverTest, RunsEveryStageInOrderAndWritesTheSelectedFiles) {
    adjust = [](ExportSettings& s) {
        s.output_ica = 1;
        s.output_itp = 1;
        s.output_isd = 1;
        s.compress_node = 1;
    };
    ASSERT_EQ(Export(), 1);

    const std::vector<ExportStage> expected = {
        ExportStage::SkinDeformationOff, ExportStage::Materials,       ExportStage::Scene,
        ExportStage::SkinDeformationOn,  ExportStage::LightsAndCamera, ExportStage::Optimize,
        ExportStage::ModelLayout,        ExportStage::WriteFiles,
    };
    EXPECT_EQ(stages, expected);
    EXPECT_EQ(written, (std::vector<std::string>{Out("hero.imd"), Out("hero.isd")}))
        << "no animation file while it would be only a frame";
    const std::string model = ReadFile(Out("hero.imd"));
    EXPECT_EQ(model.rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n\n<imd version=\"1.6.0\">", 0), 0u);
    EXPECT_NE(model.find("source=\"hero.max\""), std::string::npos);
    EXPECT_NE(model.find("compress_node=\"cull\" node_size=\"1 1\""), std::string::npos) << "the mode asked for";
    EXPECT_NE(ReadFile(Out("hero.isd")).find("\n</isd>\n"), std::string::npos);
    EXPECT_EQ(host.listener,
              "[2009-07-08 T14:05:09]\n"
              "Warning: compress_node=\"cull\" is not available yet; the nodes are exported uncompressed.\n"
              "Warning: output_ica=\"on\" is not available yet; no character animation file (.ica) is written.\n"
              "Warning: output_itp=\"on\" is not available yet; no texture pattern animation file (.itp) is written.\n"
              "\n\n");
    EXPECT_TRUE(host.boxes.empty());
    EXPECT_EQ(host.progress_titles, std::vector<std::string>{"Exporting Korvo Data"});
    EXPECT_EQ(host.progress_ends, 1);
}

TEST(ClampFrameRangeTest, ClampsToTheHostRangeAndLogsWhatWasWrong) {
    struct Case {
        int32_t frame_range, start, end, host_start, host_end, clamped_start, clamped_end;
        std::size_t warnings;
    };
    const Case cases[] = {
        {1, 12, 3, 0, 10, 3, 3, 2}, {1, -4, -2, 0, 10, 0, 0, 2}, {1, -1, 5, 0, 10, 0, 5, 1},
        {1, 2, 8, 0, 10, 2, 8, 0},  {0, 2, 8, 5, 9, 5, 9, 0}};
    for (const Case& c : cases) {
        test::Reports reports;
        ExportSettings settings;
        settings.frame_range = c.frame_range;
        settings.start_frame = c.start;
        settings.end_frame = c.end;
        const FrameRange clamped = ClampFrameRange(settings, c.host_start, c.host_end, reports.diagnostics);
        EXPECT_EQ(clamped.start, c.clamped_start) << c.start;
        EXPECT_EQ(clamped.end, c.clamped_end) << c.end;
        EXPECT_EQ(reports.Warnings().size(), c.warnings);
    }
}

TEST_F(DriverTest, ReportsEveryDiagnosticAndPrintsTheRunLogWithATimeLineOnce) {
    adjust = [](ExportSettings& s) {
        s.frame_range = 1;
        s.start_frame = 20;
        s.end_frame = 30;
    };
    host.cancel_requested = true;
    ASSERT_EQ(Export(), 1);
    const std::vector<Diagnostic> expected = {{Severity::Warning, "Warning: Invalid start frame.", ""},
                                              {Severity::Warning, "Warning: Invalid end frame.", ""}};
    EXPECT_EQ(reported, expected);
    EXPECT_EQ(host.listener,
              "[2009-07-08 T14:05:09]\nWarning: Invalid start frame.\nWarning: Invalid end frame.\n\n\n");
    EXPECT_EQ(host.listener_shows, 1);
    // An export cannot be cancelled: the request is refused and the run goes on.
    EXPECT_EQ(test::BoxLines(host.boxes),
              std::vector<std::string>{"(information) Not Supported: Cancelling export is not currently supported."});
    EXPECT_FALSE(host.cancel_requested);

    host.listener.clear();
    adjust = nullptr;
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(host.listener, "") << "a run without messages prints nothing";
}

// A run that cannot start says why in one box, closes its progress and
// writes nothing; so does a cancelled options dialog, without a box.
TEST_F(DriverTest, ARunThatCannotStartWritesNothing) {
    adjust = [](ExportSettings& s) { s.output_file_name.clear(); };
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(test::BoxLines(host.boxes), std::vector<std::string>{"No Output File Name: Output File Name is empty."});

    host.boxes.clear();
    adjust = nullptr;
    host.scene.root().children.clear();
    host.scene.nodes.resize(1);
    host.scene.Link();
    const int ends = host.progress_ends;
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(test::BoxLines(host.boxes), std::vector<std::string>{"Node Export Error: No nodes in the scene"});
    EXPECT_EQ(host.progress_ends, ends + 1);

    host.boxes.clear();
    host.progress_titles.clear();
    KorvoExporter exporter(host, process);
    exporter.options_dialog = [](KorvoExporter&) { return false; };
    EXPECT_EQ(exporter.DoExport(Out("x.imd"), false, 0), 1);
    EXPECT_TRUE(host.progress_titles.empty() && host.boxes.empty());
    EXPECT_TRUE(std::filesystem::is_empty(out.path()));
}

TEST_F(DriverTest, AsksBeforeOverwritingOnlyWhenStartedByAScript) {
    adjust = [](ExportSettings& s) { s.output_isd = 1; };
    WriteFile(Out("hero.imd"), "old model");
    WriteFile(Out("hero.isd"), "old scene data");

    host.overwrite_answers = {OverwriteAnswer::No, OverwriteAnswer::Yes};
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(host.asked_overwrite, (std::vector<std::string>{Out("hero.imd"), Out("hero.isd")}));
    EXPECT_EQ(ReadFile(Out("hero.imd")), "old model");
    EXPECT_NE(ReadFile(Out("hero.isd")), "old scene data");

    host.asked_overwrite.clear();
    WriteFile(Out("hero.isd"), "old scene data");
    host.overwrite_answers = {OverwriteAnswer::Cancel};
    EXPECT_EQ(Export(), 1) << "cancel stops writing but is not a failure";
    EXPECT_EQ(host.asked_overwrite.size(), 1u);
    EXPECT_EQ(ReadFile(Out("hero.imd")), "old model");
    EXPECT_EQ(ReadFile(Out("hero.isd")), "old scene data");

    host.asked_overwrite.clear();
    host.overwrite_answers = {OverwriteAnswer::YesToAll};
    ASSERT_EQ(Export(), 1);
    EXPECT_EQ(host.asked_overwrite.size(), 1u) << "yes to all asks once";
    EXPECT_NE(ReadFile(Out("hero.isd")), "old scene data");

    host.asked_overwrite.clear();
    process.batch = true;
    ASSERT_EQ(Export(), 1);
    EXPECT_TRUE(host.asked_overwrite.empty()) << "a batch never asks";
}

TEST_F(DriverTest, TakesNameAndFolderFromTheHostPathOfAnInteractiveExport) {
    const std::string path = Out("model.imd");
    {
        KorvoExporter exporter(host, process);
        ASSERT_EQ(exporter.DoExport(path, false, 0), 1);
        EXPECT_EQ(exporter.Settings().output_file_name, "model");
        EXPECT_EQ(exporter.Settings().output_folder, out.path().string());
        EXPECT_EQ(exporter.WrittenFiles(), std::vector<std::string>{path});
    }
    // The interactive export remembers its names, as the dialog would.
    ExportSettings remembered;
    ASSERT_TRUE(ReadSettingsFile(JoinConfigPath(config.path().string(), "max.k3es"), remembered));
    EXPECT_EQ(remembered.output_file_name, "model");

    // A host path without a folder means the current folder, not the root.
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(out.path());
    {
        KorvoExporter exporter(host, process);
        EXPECT_EQ(exporter.DoExport("here.imd", false, 0), 1);
        EXPECT_EQ(exporter.Settings().output_folder, "");
        EXPECT_EQ(exporter.WrittenFiles(), std::vector<std::string>{"here.imd"});
    }
    std::filesystem::current_path(previous);
    EXPECT_TRUE(std::filesystem::exists(Out("here.imd")));
}

TEST_F(DriverTest, ReadOnlyTargetIsLeftAloneAndFailsTheRun) {
    WriteFile(Out("hero.imd"), "protected");
    std::filesystem::permissions(Out("hero.imd"), std::filesystem::perms::owner_read);
    EXPECT_EQ(Export(), 0);
    EXPECT_EQ(ReadFile(Out("hero.imd")), "protected");
    EXPECT_NE(host.listener.find("Warning: Can't write to read-only file. " + Out("hero.imd")), std::string::npos);
}

TEST_F(DriverTest, KeepsSettingsBetweenExportersButNotRunOverrides) {
    const std::string defaults_path = JoinConfigPath(config.path().string(), "max.k3es");
    {
        ExportSettings defaults;
        defaults.compress_node = 1;
        defaults.magnify = 0;
        WriteSettingsFile(defaults_path, defaults, host.now, host);
    }
    {
        KorvoExporter exporter(host, process);
        EXPECT_EQ(exporter.Settings().compress_node, 1) << "read from max.k3es at creation";
        exporter.options_dialog = [](KorvoExporter& shown) {
            shown.Settings().compress_node = 2;
            return true;
        };
        exporter.run_overrides = [](ExportSettings& run) { run.output_ica = 1; };
        EXPECT_EQ(exporter.DoExport(Out("a.imd"), false, 0), 1);
    }
    ExportSettings saved;
    ASSERT_TRUE(ReadSettingsFile(defaults_path, saved));
    EXPECT_EQ(saved.compress_node, 2) << "the working copy goes back at destruction";
    EXPECT_EQ(saved.magnify, 1.0f) << "repaired at creation, and the export copies the repaired value";
    EXPECT_EQ(saved.output_ica, 0) << "run overrides are not remembered";
    EXPECT_TRUE(std::filesystem::exists(JoinConfigPath(config.path().string(), "menusettings.bin")));

    std::filesystem::remove(defaults_path);
    process.batch = true;
    { KorvoExporter exporter(host, process); }
    EXPECT_FALSE(std::filesystem::exists(defaults_path)) << "a batch writes no settings files";
}

}  // namespace
}  // namespace korvo
