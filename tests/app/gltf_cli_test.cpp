#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "app/cli.h"
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

class GltfCliTest : public ::testing::Test {
protected:
    GltfCliTest() { ::setenv("KORVO_EXPORT_CONFIG_DIR", config.path().c_str(), 1); }
    ~GltfCliTest() override { ::unsetenv("KORVO_EXPORT_CONFIG_DIR"); }

    int Run(std::vector<std::string> args) {
        args.insert(args.begin(), "korvo-export");
        std::vector<const char*> argv;
        for (const std::string& arg : args) argv.push_back(arg.c_str());
        out.str("");
        err.str("");
        return RunCommandLine(static_cast<int>(argv.size()), argv.data(), in, out, err, Terminal{});
    }

    // A textured triangle one unit up (glTF +Y) with a two-key animation.
    std::string Character() {
        const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
        const int uvs = file.Floats({0, 0, 1, 0, 0, 1}, "VEC2");
        const int times = file.Floats({0, 1}, "SCALAR");
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

    TempDir config, dir;
    test::GltfTestFile file;
    std::istringstream in;
    std::ostringstream out, err;
};

TEST_F(GltfCliTest, ExportsAGlbWithTheGltfAxesAndItsAnimations) {
    WriteFile(dir.file("character.glb"), file.Glb(Character()));
    ASSERT_EQ(Run({"--help"}), kExitSuccess);
    EXPECT_NE(out.str().find("--list-animations"), std::string::npos);

    ASSERT_EQ(Run({"export", dir.file("character.glb"), "--list-animations", "--fps", "60"}), kExitSuccess);
    EXPECT_EQ(out.str(), "0 \"Idle\" frames 0 to 60\n");

    const std::string model = dir.file("out/character.imd");
    ASSERT_EQ(Run({"export", dir.file("character.glb"), "-o", model, "--animation", "Idle"}), kExitSuccess) << err.str();
    const std::string imd = ReadFile(model);
    const auto up = imd.find("name=\"Up\"");
    ASSERT_NE(up, std::string::npos) << imd;
    EXPECT_NE(imd.find("translate=\"0.000000 1.000000 0.000000\"", up), std::string::npos) << imd.substr(up, 500);
}

TEST_F(GltfCliTest, ReportsBadChoicesAndBadFilesAsUsageErrors) {
    WriteFile(dir.file("character.gltf"), file.Gltf(Character()));
    EXPECT_EQ(Run({"export", dir.file("character.gltf"), "-o", dir.file("out/c.imd"), "--animation", "Run"}),
              kExitUsage);
    EXPECT_EQ(err.str(),
              "korvo-export: " + dir.file("character.gltf") + ": no animation \"Run\" (the file has \"Idle\")\n");
    EXPECT_FALSE(std::filesystem::exists(dir.file("out/c.imd")));

    EXPECT_EQ(Run({"export", dir.file("character.gltf"), "--fps", "0"}), kExitUsage);
    EXPECT_EQ(Run({"export", test::SourcePath("examples/simple.json"), "--animation", "Walk"}), kExitUsage);
    EXPECT_NE(err.str().find("apply to glTF files"), std::string::npos) << err.str();
    EXPECT_EQ(Run({"export", test::SourcePath("examples/simple.json"), "--list-animations"}), kExitUsage);

    WriteFile(dir.file("cut.glb"), file.Glb(Character()).substr(0, 50));
    EXPECT_EQ(Run({"export", dir.file("cut.glb"), "-o", dir.file("out/cut.imd")}), kExitUsage);
    EXPECT_EQ(err.str().rfind("korvo-export: " + dir.file("cut.glb") + ": ", 0), 0u) << err.str();
}

TEST_F(GltfCliTest, WritesEmbeddedImagesBesideTheOutput) {
    WriteFile(dir.file("character.gltf"), file.Gltf(Character()));
    ASSERT_EQ(Run({"export", dir.file("character.gltf"), "-o", dir.file("out/hero.imd")}), kExitSuccess) << err.str();
    EXPECT_EQ(ReadFile(dir.file("out/hero_textures/face.png")), kPng);
}

}  // namespace
}  // namespace korvo
