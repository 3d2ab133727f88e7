#include "app/cli.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#include <string_view>

#include "host/gltf/gltf_test_file.h"
#include "support/test_support.h"

namespace korvo {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

// An 8 x 8 orange PNG.
constexpr std::string_view kPng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x08"
    "\x00\x00\x00\x08\x08\x02\x00\x00\x00\x4b\x6d\x29\xdc\x00\x00\x00\x11\x49\x44\x41"
    "\x54\x78\xda\x63\x38\x91\x62\x84\x15\x31\x0c\x2d\x09\x00\x56\x46\x57\x81\x41\x52"
    "\x00\x97\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    74);

class CliTest : public ::testing::Test {
protected:
    CliTest() { ::setenv("KORVO_EXPORT_CONFIG_DIR", config.path().c_str(), 1); }
    ~CliTest() override { ::unsetenv("KORVO_EXPORT_CONFIG_DIR"); }

    int Run(std::vector<std::string> args, Terminal terminal = {}) {
        args.insert(args.begin(), "korvo-export");
        std::vector<const char*> argv;
        for (const std::string& arg : args) argv.push_back(arg.c_str());
        out.str("");
        err.str("");
        return RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err, terminal);
    }

    // Every line of stderr, for checking that each error is one line.
    std::vector<std::string> ErrorLines() const {
        std::vector<std::string> lines;
        std::istringstream text(err.str());
        for (std::string line; std::getline(text, line);) lines.push_back(line);
        return lines;
    }

    // A textured triangle one unit up (glTF +Y) with a two-key animation from
    // 0.5 s to 1 s.
    std::string Character() {
        const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
        const int uvs = file.Floats({0, 0, 1, 0, 0, 1}, "VEC2");
        const int times = file.Floats({0.5f, 1}, "SCALAR");
        const int turns = file.Floats({0, 0, 0, 1, 0, 0, 0, 1}, "VEC4");
        const int image = file.View(std::string(kPng));
        return R"("nodes": [{"name": "Up", "translation": [0, 1, 0], "mesh": 0}],
            "meshes": [{"primitives": [{"material": 0, "attributes": {"POSITION": )" +
               std::to_string(positions) + R"(, "TEXCOORD_0": )" + std::to_string(uvs) + R"(}}]}],
            "materials": [{"name": "Skin", "extras": {"light_0": 1},
                           "pbrMetallicRoughness": {"baseColorTexture": {"index": 0}}}],
            "images": [{"name": "face", "bufferView": )" +
               std::to_string(image) + R"(, "mimeType": "image/png"}],
            "textures": [{"source": 0}],
            "animations": [{"name": "Idle", "channels": [{"sampler": 0, "target": {"node": 0, "path": "rotation"}}],
                            "samplers": [{"input": )" +
               std::to_string(times) + R"(, "output": )" + std::to_string(turns) + "}]}]";
    }

    const std::string example = test::SourcePath("examples/simple.json");
    TempDir config, out_dir;
    test::GltfTestFile file;
    std::istringstream in;
    std::ostringstream out, err;
};

TEST_F(CliTest, HelpExplainsWithExamplesAndUsageErrorsAreOneLine) {
    EXPECT_EQ(Run({"--help"}), kExitSuccess);
    EXPECT_TRUE(test::Contains(out.str(), "Examples:"));
    EXPECT_TRUE(test::Contains(out.str(), "--list-animations"));
    EXPECT_EQ(Run({"export", "--help"}), kExitSuccess);
    EXPECT_TRUE(test::Contains(out.str(), "--select"));

    EXPECT_EQ(Run({}), kExitUsage);
    EXPECT_EQ(Run({"export"}), kExitUsage);
    EXPECT_EQ(Run({"export", example, "--bogus"}), kExitUsage);
    EXPECT_EQ(ErrorLines().front().rfind("korvo-export: ", 0), 0u);
}

TEST_F(CliTest, ExportsTheExampleAndSaysWhereTheFilesWent) {
    const std::string model = out_dir.file("deep/er/simple.imd");
    ASSERT_EQ(Run({"export", example, "-o", model, "--isd"}), kExitSuccess) << err.str();
    EXPECT_TRUE(test::Contains(
        out.str(), "\nWarning: use_primitive_strip=\"on\" is not available yet; faces are written without strips.\n"));
    EXPECT_TRUE(
        test::Contains(out.str(), "\n\n\nwrote " + model + "\nwrote " + out_dir.file("deep/er/simple.isd") + "\n"));
    EXPECT_EQ(ReadFile(model).rfind("<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>", 0), 0u);
    EXPECT_TRUE(std::filesystem::exists(config.file("max.k3es"))) << "the configuration folder is used";
    ASSERT_EQ(Run({"export", example, "-o", model, "--quiet", "--yes"}), kExitSuccess) << err.str();
    EXPECT_EQ(out.str(), "") << "quiet prints nothing";
}

// Each option that is not carried out yet says so in one line, the model
// file records what was asked, and no stub file is written.
TEST_F(CliTest, SaysWhatIsNotAvailableAndWritesNoStub) {
    const std::string scene = out_dir.file("stored.json");
    const std::string stored = "{\"stored_settings\": {\"hex\": \"" + std::string(2 * 924, '0') + "\"},";
    WriteFile(scene, stored + ReadFile(example).substr(1));
    const std::string model = out_dir.file("m.imd");
    ASSERT_EQ(Run({"export", scene, "-o", model, "--set", "magnify=2", "--set", "compress_node=merge", "--set",
                   "compress_material=on", "--set", "output_ima=on", "--set", "use_primitive_strip=off", "--set",
                   "triangulation=generate_quads", "--set", "process_mode=3d_material_editor", "--set",
                   "merge_imd=on"}),
              kExitSuccess)
        << err.str();
    EXPECT_TRUE(test::Contains(
        out.str(),
        "]\nWarning: compress_node=\"merge\" is not available yet; the nodes are exported uncompressed.\n"
        "Warning: compress_material=\"on\" is not available yet; the materials are exported uncompressed.\n"
        "Warning: output_ima=\"on\" is not available yet; no material colour animation file (.ima) is written.\n"
        "Warning: triangulation=\"generate_quads\" is not available yet; faces are written as triangles.\n"));
    EXPECT_TRUE(test::Contains(out.str(), "\n\n\nwrote " + model + "\n"));
    EXPECT_EQ(err.str(), "korvo-export: warning: " + scene + ": stored_settings is not available yet; the settings "
                         "come from max.k3es and the command line\n"
                         "korvo-export: warning: process_mode=\"3d_material_editor\" is not available from the command "
                         "line yet; the files are written as intermediate files into the output folder\n"
                         "korvo-export: warning: merge_imd=\"on\" is not available from the command line yet; "
                         "nothing is merged into \"\"\n");
    EXPECT_TRUE(test::Contains(ReadFile(model), "\tmagnify=\"2.000000\"\n"));
    EXPECT_TRUE(test::Contains(ReadFile(model), "\tcompress_node=\"merge\" node_size=\"8 8\"\n"
                                                "\tcompress_material=\"on\" material_size=\"2 2\"\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(out_dir.path()), {}), 2)
        << "the scene and the model file, nothing else";
}

// Out-of-range values in max.k3es are repaired for the export and in the
// file; given for one run they are refused (--set) or repaired with a
// warning (--settings).
TEST_F(CliTest, RepairsOutOfRangeSettingsEndToEnd) {
    WriteFile(config.file("max.k3es"), "magnify=\"0\"\ntolerance_translate=\"0.00001\"\n");
    const std::string model = out_dir.file("m.imd");
    ASSERT_EQ(Run({"export", example, "-o", model}), kExitSuccess) << err.str();
    EXPECT_TRUE(test::Contains(ReadFile(model), "\tmagnify=\"1.000000\"\n"));
    const std::string saved = ReadFile(config.file("max.k3es"));
    EXPECT_TRUE(test::Contains(saved, "\nmagnify=\"1.0\"\n"));
    EXPECT_TRUE(test::Contains(saved, "\ntolerance_translate=\"0.01\"\n"));

    EXPECT_EQ(Run({"export", example, "-o", model, "--yes", "--set", "magnify=0.00001"}), kExitUsage);
    EXPECT_EQ(err.str(), "korvo-export: --set magnify=0.00001: invalid value \"0.00001\" for magnify: expected a "
                         "number of at least 0.0001\n");

    const std::string run = out_dir.file("run.k3es");
    WriteFile(run, "magnify=\"0\"\noutput_folder=\"elsewhere\"\n");
    ASSERT_EQ(Run({"export", example, "-o", model, "--yes", "--settings", run}), kExitSuccess) << err.str();
    EXPECT_EQ(err.str(), "korvo-export: warning: " + run + ": output_folder=\"elsewhere\" is not used; the output is "
                         "where -o says\n"
                         "korvo-export: warning: " + run + ": magnify=\"0.0\" is below 0.0001; 1.0 is used\n");
    EXPECT_TRUE(test::Contains(ReadFile(model), "\tmagnify=\"1.000000\"\n"));
    EXPECT_EQ(Run({"export", example, "-o", model, "--set", "output_folder=x"}), kExitUsage);
}

TEST_F(CliTest, RefusesBadInputBeforeWritingAnything) {
    const std::string model = out_dir.file("m.imd");
    EXPECT_EQ(Run({"export", example, "-o", model, "--set", "output_icx=on"}), kExitUsage);
    EXPECT_NE(err.str().find("output_ica"), std::string::npos) << "lists the valid keys: " << err.str();
    EXPECT_EQ(Run({"export", example, "-o", model, "--set", "compress_node=squash"}), kExitUsage);
    EXPECT_NE(err.str().find("unite_combine"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"export", example, "-o", model, "--select", "NoSuchNode"}), kExitUsage);
    EXPECT_NE(err.str().find("NoSuchNode"), std::string::npos);
    EXPECT_EQ(Run({"export", example, "-o", out_dir.file("m.txt")}), kExitUsage);
    EXPECT_EQ(Run({"export", example, "-o", model, "--settings", out_dir.file("missing.k3es")}), kExitUsage);

    const std::string broken = out_dir.file("broken.json");
    WriteFile(broken, "{\"nodes\": [");
    EXPECT_EQ(Run({"export", broken, "-o", model}), kExitUsage);
    EXPECT_EQ(ErrorLines().size(), 1u) << err.str();
    EXPECT_NE(err.str().find("broken.json"), std::string::npos);

    EXPECT_EQ(Run({"export", out_dir.file("absent.json"), "-o", model}), kExitUsage);
    EXPECT_NE(err.str().find("absent.json"), std::string::npos);
    EXPECT_FALSE(std::filesystem::exists(model));
}

TEST_F(CliTest, NeverReplacesAFileUnaskedWithoutATerminal) {
    const std::string model = out_dir.file("m.imd");
    WriteFile(model, "keep me");
    EXPECT_EQ(Run({"export", example, "-o", model}), kExitExportFailed);
    EXPECT_EQ(ReadFile(model), "keep me");
    EXPECT_NE(err.str().find("--yes"), std::string::npos);

    EXPECT_EQ(Run({"export", example, "-o", model, "--yes"}), kExitSuccess) << err.str();
    EXPECT_NE(ReadFile(model), "keep me");

    WriteFile(model, "keep me");
    in.str("n\n");
    in.clear();
    EXPECT_EQ(Run({"export", example, "-o", model}, Terminal{true, true}), kExitSuccess) << err.str();
    EXPECT_EQ(ReadFile(model), "keep me") << "answered No on the terminal";
    EXPECT_NE(err.str().find("already exists."), std::string::npos);
}

TEST_F(CliTest, ExportsAGlbWithItsAnimationsAndImages) {
    WriteFile(out_dir.file("character.glb"), file.Glb(Character()));
    ASSERT_EQ(Run({"export", out_dir.file("character.glb"), "--list-animations", "--fps", "60"}), kExitSuccess);
    EXPECT_EQ(out.str(), "0 \"Idle\" frames 30 to 60\n");

    const std::string model = out_dir.file("out/character.imd");
    ASSERT_EQ(Run({"export", out_dir.file("character.glb"), "-o", model, "--animation", "Idle"}), kExitSuccess)
        << err.str();
    EXPECT_TRUE(test::Contains(ReadFile(model), "name=\"Up\""));
    EXPECT_EQ(ReadFile(out_dir.file("out/character_textures/face.png")), kPng) << "embedded images go beside";
}

TEST_F(CliTest, ReportsBadChoicesAndBadFilesAsUsageErrors) {
    WriteFile(out_dir.file("character.gltf"), file.Gltf(Character()));
    EXPECT_EQ(Run({"export", out_dir.file("character.gltf"), "-o", out_dir.file("out/c.imd"), "--animation", "Run"}),
              kExitUsage);
    EXPECT_EQ(err.str(),
              "korvo-export: " + out_dir.file("character.gltf") + ": no animation \"Run\" (the file has \"Idle\")\n");
    EXPECT_FALSE(std::filesystem::exists(out_dir.file("out/c.imd")));

    EXPECT_EQ(Run({"export", out_dir.file("character.gltf"), "--fps", "0"}), kExitUsage);
    EXPECT_EQ(Run({"export", test::SourcePath("examples/simple.json"), "--animation", "Walk"}), kExitUsage);
    EXPECT_NE(err.str().find("apply to glTF files"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"export", test::SourcePath("examples/simple.json"), "--list-animations"}), kExitUsage);

    WriteFile(out_dir.file("cut.glb"), file.Glb(Character()).substr(0, 50));
    EXPECT_EQ(Run({"export", out_dir.file("cut.glb"), "-o", out_dir.file("out/cut.imd")}), kExitUsage);
    EXPECT_EQ(err.str().rfind("korvo-export: " + out_dir.file("cut.glb") + ": ", 0), 0u) << err.str();
}

}  // namespace
}  // namespace korvo
