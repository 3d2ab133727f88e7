#include <filesystem>

#include "host/gltf/gltf_loader.h"

namespace korvo {
namespace {

struct SampleCounts {
    const char* model;
    int nodes;     // host nodes below the root
    int meshes;    // nodes with a mesh
    int skins;     // skin modifiers
    int morphers;  // morpher modifiers
    int root_materials;
    int end_frame;  // of the first animation at 30 frames a second
};

class GltfSampleTest : public test::GltfTest, public ::testing::WithParamInterface<SampleCounts> {};

TEST_P(GltfSampleTest, LoadsTheKhronosSampleModel) {
    const SampleCounts& expected = GetParam();
    const std::string path =
        test::AssetPath(std::string("gltf/") + expected.model + "/glTF-Embedded/" + expected.model + ".gltf");
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "no shared assets at " << path;
    options.image_folder = dir.file("textures");
    scene = LoadGltfScene(path, options, &error, &warnings);
    ASSERT_TRUE(scene) << error;
    int meshes = 0, skins = 0, morphers = 0;
    for (const auto& node : scene->nodes) {
        meshes += node->mesh ? 1 : 0;
        for (const auto& modifier : node->modifiers) {
            skins += modifier->skin ? 1 : 0;
            morphers += modifier->morpher ? 1 : 0;
        }
    }
    EXPECT_EQ(static_cast<int>(scene->nodes.size()) - 1, expected.nodes);
    EXPECT_EQ(meshes, expected.meshes);
    EXPECT_EQ(skins, expected.skins);
    EXPECT_EQ(morphers, expected.morphers);
    EXPECT_EQ(static_cast<int>(scene->root_materials.size()), expected.root_materials);
    EXPECT_EQ(scene->end_frame, expected.end_frame);
}

INSTANTIATE_TEST_SUITE_P(
    Khronos, GltfSampleTest,
    ::testing::Values(SampleCounts{"AnimatedTriangle", 1, 1, 0, 0, 0, 30}, SampleCounts{"Box", 2, 1, 0, 0, 1, 0},
                      SampleCounts{"BoxAnimated", 4, 2, 0, 0, 2, 75}, SampleCounts{"BoxTextured", 2, 1, 0, 0, 1, 0},
                      SampleCounts{"BoxVertexColors", 1, 1, 0, 0, 0, 0}, SampleCounts{"Cameras", 3, 1, 0, 0, 0, 0},
                      SampleCounts{"MeshPrimitiveModes", 7, 3, 0, 0, 0, 0},
                      SampleCounts{"MultipleScenes", 1, 1, 0, 0, 0, 0}, SampleCounts{"RiggedSimple", 5, 1, 1, 0, 1, 63},
                      SampleCounts{"SimpleMeshes", 2, 2, 0, 0, 0, 0}, SampleCounts{"SimpleMorph", 1, 1, 0, 1, 0, 120},
                      SampleCounts{"SimpleSkin", 3, 1, 1, 0, 0, 165},
                      SampleCounts{"SimpleSparseAccessor", 1, 1, 0, 0, 0, 0},
                      SampleCounts{"TextureCoordinateTest", 6, 5, 0, 0, 5, 0},
                      SampleCounts{"TriangleWithoutIndices", 1, 1, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.model); });

}  // namespace
}  // namespace korvo
