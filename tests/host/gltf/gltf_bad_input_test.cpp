#include <filesystem>
#include <random>

#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::GltfTest;

// A mesh node over the file's data, used by several bad files.
std::string Triangle(test::GltfTestFile& file) {
    const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int indices = file.Ushorts({0, 1, 2});
    return R"("nodes": [{"mesh": 0}], "meshes": [{"primitives": [{"attributes": {"POSITION": )" +
           std::to_string(positions) + R"(}, "indices": )" + std::to_string(indices) + "}]}]";
}

TEST_F(GltfTest, BadFilesGiveOneClearErrorNamingTheFile) {
    const std::string path = dir.file("absent.gltf");
    EXPECT_FALSE(LoadGltfScene(path, options, &error));
    EXPECT_EQ(error, path + ": cannot open the file");
    std::filesystem::create_directory(dir.file("folder.gltf"));
    EXPECT_FALSE(LoadGltfScene(dir.file("folder.gltf"), options, &error));
    EXPECT_EQ(error, dir.file("folder.gltf") + ": is a folder, not a file");

    EXPECT_EQ(ErrorOf("{\"asset\": ", "broken.gltf").rfind(dir.file("broken.gltf") + ": ", 0), 0u) << error;
    EXPECT_EQ(error.find('\n'), std::string::npos);
    EXPECT_NE(ErrorOf("{}", "plain.glb").find("not a binary glTF file"), std::string::npos) << error;

    const std::string glb = file.Glb(Triangle(file));
    Load(glb, "whole.glb");
    for (std::size_t size : {std::size_t{3}, std::size_t{19}, std::size_t{40}, glb.size() - 20, glb.size() - 1}) {
        EXPECT_NE(ErrorOf(glb.substr(0, size), "cut.glb"), "") << "cut at " << size;
    }

    // Index 3 is past the three vertices; accessor 9 does not exist.
    test::GltfTestFile bad_index;
    const int positions = bad_index.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int indices = bad_index.Ushorts({0, 1, 3});
    const std::string mesh = R"("nodes": [{"mesh": 0}], "meshes": [{"primitives": [{"attributes": {"POSITION": )" +
                             std::to_string(positions) + R"(}, "indices": )" + std::to_string(indices) + "}]}]";
    EXPECT_NE(
        ErrorOf(bad_index.Gltf(mesh)).find("meshes[0].primitives[0].indices: index 3 is not one of the 3 vertices"),
        std::string::npos)
        << error;
    std::string missing = mesh;
    missing.replace(missing.find("\"POSITION\": 0"), 13, "\"POSITION\": 9");
    EXPECT_NE(ErrorOf(bad_index.Gltf(missing)).find("attributes.POSITION: accessor 9 does not exist (the file has 2)"),
              std::string::npos)
        << error;
}

TEST_F(GltfTest, DataOutsideItsBufferIsAnError) {
    const std::string body = Triangle(file);
    test::GltfTestFile long_view = file;
    long_view.views[0].replace(long_view.views[0].find("\"byteLength\":36"), 15, "\"byteLength\":400");
    EXPECT_NE(ErrorOf(long_view.Gltf(body)).find("bufferViews[0]: bytes 0 to 400 lie outside buffer 0 of 42 bytes"),
              std::string::npos)
        << error;
    test::GltfTestFile long_accessor = file;
    long_accessor.accessors[0].replace(long_accessor.accessors[0].find("\"count\":3"), 9, "\"count\":4");
    EXPECT_NE(
        ErrorOf(long_accessor.Gltf(body)).find("accessors[0]: reads 48 bytes from offset 0 of a buffer view of 36"),
        std::string::npos)
        << error;
    // A buffer whose data is shorter than it says is tinygltf's error.
    std::string short_buffer = file.Gltf(body);
    short_buffer.replace(short_buffer.find("\"byteLength\":42"), 15, "\"byteLength\":48");
    EXPECT_NE(ErrorOf(short_buffer).rfind(dir.file("test.gltf") + ": ", 0), std::string::npos) << error;
}

TEST_F(GltfTest, ExternalBuffersAreReadBesideTheFile) {
    std::string text = file.Gltf(Triangle(file));
    const std::string data_uri = "data:application/octet-stream;base64," + test::Base64(file.data);
    text.replace(text.find(data_uri), data_uri.size(), "mesh%20data.bin");
    test::WriteFile(dir.file("mesh data.bin"), file.data);
    EXPECT_EQ(Load(text).nodes[1]->mesh->polygons.size(), 1u);

    test::WriteFile(dir.file("mesh data.bin"), file.data.substr(0, 20));
    EXPECT_EQ(ErrorOf(text).rfind(dir.file("test.gltf") + ": ", 0), 0u) << error;
    std::filesystem::remove(dir.file("mesh data.bin"));
    EXPECT_NE(ErrorOf(text).find("mesh data.bin"), std::string::npos) << error;
}

// Random damage to a valid file: every load ends in a scene or one error.
TEST_F(GltfTest, DamagedFilesNeverCrash) {
    const int weights = file.Floats({1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}, "VEC4");
    const int joints = file.Ubytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, "VEC4", false);
    const int times = file.Floats({0, 1}, "SCALAR");
    const int moves = file.Floats({0, 0, 0, 1, 2, 3}, "VEC3");
    std::string body = Triangle(file);
    body.replace(body.find("\"nodes\": [{\"mesh\": 0}]"), 23,
                 R"("nodes": [{"mesh": 0, "skin": 0, "children": [1]}, {"name": "Bone"}],
                   "skins": [{"joints": [1]}],
                   "animations": [{"channels": [{"sampler": 0, "target": {"node": 1, "path": "translation"}}],
                     "samplers": [{"input": )" +
                     std::to_string(times) + R"(, "output": )" + std::to_string(moves) +
                     R"(, "interpolation": "CUBICSPLINE"}]}])");
    body.replace(body.find("}, \"indices\""), 1,
                 ", \"JOINTS_0\": " + std::to_string(joints) + ", \"WEIGHTS_0\": " + std::to_string(weights) + "}");
    const std::string texts[] = {file.Gltf(body), file.Glb(body)};
    std::mt19937 random(20240601);
    for (int round = 0; round < 400; ++round) {
        const bool binary = round % 2 == 1;
        std::string damaged = texts[round % 2];
        const int kind = static_cast<int>(random() % 3);
        if (kind == 0) {
            damaged.resize(random() % damaged.size());
        } else {
            for (int flips = 1 + static_cast<int>(random() % 4); flips > 0; --flips) {
                damaged[random() % damaged.size()] =
                    kind == 1 ? static_cast<char>(random() % 256) : "0123456789-[]{},\""[random() % 17];
            }
        }
        const std::string name = binary ? "fuzz.glb" : "fuzz.gltf";
        if (!Try(damaged, name)) {
            EXPECT_EQ(error.rfind(dir.file(name) + ": ", 0), 0u) << error;
        }
    }
}

}  // namespace
}  // namespace korvo
