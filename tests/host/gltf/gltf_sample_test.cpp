// Every Khronos sample model loaded, then exported with every output file
// on in two layouts, read back and cross-checked.

#include <filesystem>

#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

struct Sample {
    const char* model;
    int nodes;     // host nodes below the root
    int meshes;    // nodes with a mesh
    int skins;     // skin modifiers
    int morphers;  // morpher modifiers
    int root_materials;
    int end_frame;  // of the first animation at 30 frames a second
};

void AllOutputs(ExportSettings& s) {
    s.output_imd = s.output_ica = s.output_iva = s.output_ima = s.output_itp = s.output_ita = s.output_isd = 1;
}

// The other way of writing the same model: indexed vertices, quads made
// from triangle pairs, no strips, nodes and materials compressed, one
// bone per vertex.
void OtherLayout(ExportSettings& s) {
    AllOutputs(s);
    s.vertex_style = 1;
    s.triangulation = 2;
    s.use_primitive_strip = 0;
    s.compress_node = s.compress_material = s.force_full_weight = 1;
}

class GltfSampleTest : public test::GltfExportTest, public ::testing::WithParamInterface<Sample> {};

TEST_P(GltfSampleTest, LoadsAndExportsConsistently) {
    const Sample& expected = GetParam();
    const std::string model = expected.model;
    const std::string path = test::AssetPath("gltf/" + model + "/glTF-Embedded/" + model + ".gltf");
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
    EXPECT_EQ((std::vector<int>{static_cast<int>(scene->nodes.size()) - 1, meshes, skins, morphers,
                                static_cast<int>(scene->root_materials.size()), scene->end_frame}),
              (std::vector<int>{expected.nodes, expected.meshes, expected.skins, expected.morphers,
                                expected.root_materials, expected.end_frame}));

    for (const auto& layout : {AllOutputs, OtherLayout}) {
        // The animation files are not written yet (the run's log says so).
        ASSERT_EQ(Export(path, layout), "");
        EXPECT_EQ(written, (std::vector<std::string>{out.file("model.imd"), out.file("model.isd")}));
        const test::ImdElement imd = ReadBack("imd");
        for (const std::string& problem : test::ImdProblems(imd)) ADD_FAILURE() << model << ".imd " << problem;
        EXPECT_NE(test::BodyChild(imd, "polygon_array").name, "") << "no polygons";
        const test::ImdElement isd = ReadBack("isd");
        EXPECT_EQ(test::BodyChild(isd, "camera").Has("position"), model == "Cameras");
        EXPECT_EQ(test::BodyChild(isd, "light").name, "light");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Khronos, GltfSampleTest,
    ::testing::Values(Sample{"AnimatedTriangle", 1, 1, 0, 0, 0, 30}, Sample{"Box", 2, 1, 0, 0, 1, 0},
                      Sample{"BoxAnimated", 4, 2, 0, 0, 2, 75}, Sample{"BoxTextured", 2, 1, 0, 0, 1, 0},
                      Sample{"BoxVertexColors", 1, 1, 0, 0, 0, 0}, Sample{"Cameras", 3, 1, 0, 0, 0, 0},
                      Sample{"MeshPrimitiveModes", 7, 3, 0, 0, 0, 0}, Sample{"MultipleScenes", 1, 1, 0, 0, 0, 0},
                      Sample{"RiggedSimple", 5, 1, 1, 0, 1, 63}, Sample{"SimpleMeshes", 2, 2, 0, 0, 0, 0},
                      Sample{"SimpleMorph", 1, 1, 0, 1, 0, 120}, Sample{"SimpleSkin", 3, 1, 1, 0, 0, 165},
                      Sample{"SimpleSparseAccessor", 1, 1, 0, 0, 0, 0},
                      Sample{"TextureCoordinateTest", 6, 5, 0, 0, 5, 0},
                      Sample{"TriangleWithoutIndices", 1, 1, 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.model); });

}  // namespace
}  // namespace korvo
