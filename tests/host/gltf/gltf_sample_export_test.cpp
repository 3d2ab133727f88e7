// Every Khronos sample model through the whole export, with every output
// file on, read back and cross-checked.

#include <filesystem>

#include "host/gltf/gltf_export.h"
#include "host/gltf/imd_consistency.h"

namespace korvo {
namespace {

// The animation files are not written yet (the run's log says so).
const char* const kExtensions[] = {"imd", "isd"};

void AllOutputs(ExportSettings& s) {
    s.output_imd = s.output_ica = s.output_iva = s.output_ima = s.output_itp = s.output_ita = 1;
    s.output_isd = 1;
}

// The other way of writing the same model: indexed vertices, quads made
// from triangle pairs, no strips, nodes and materials compressed, one
// bone per vertex.
void OtherLayout(ExportSettings& s) {
    AllOutputs(s);
    s.vertex_style = 1;
    s.triangulation = 2;
    s.use_primitive_strip = 0;
    s.compress_node = 1;
    s.compress_material = 1;
    s.force_full_weight = 1;
}

class GltfSampleExportTest : public test::GltfExportTest, public ::testing::WithParamInterface<const char*> {
protected:
    void ExportAndCheck(const std::function<void(ExportSettings&)>& settings) {
        const std::string model = GetParam();
        const std::string path = test::AssetPath("gltf/" + model + "/glTF-Embedded/" + model + ".gltf");
        const test::GltfExportRun run = Export(path, settings);
        ASSERT_EQ(run.load_error, "");
        ASSERT_EQ(run.result, 1) << run.listener;
        for (const test::RecordedBox& box : run.boxes) ADD_FAILURE() << box.caption << ": " << box.text;
        ASSERT_EQ(run.written.size(), std::size(kExtensions));
        for (const char* extension : kExtensions) {
            const test::ImdElement root = ReadBack(extension);
            EXPECT_EQ(root.name, extension);
            EXPECT_NE(root.Child("body"), nullptr) << extension;
        }
        const test::ImdElement imd = ReadBack("imd");
        for (const std::string& problem : test::ImdProblems(imd)) ADD_FAILURE() << model << ".imd " << problem;
        EXPECT_NE(test::BodyChild(imd, "polygon_array").name, "") << "no polygons";

        const test::ImdElement isd = ReadBack("isd");
        const test::ImdElement& camera = test::BodyChild(isd, "camera");
        EXPECT_EQ(camera.Has("position"), model == "Cameras");
        EXPECT_EQ(test::BodyChild(isd, "light").name, "light");
    }
};

TEST_P(GltfSampleExportTest, ExportsEveryFileConsistently) {
    if (!std::filesystem::exists(test::AssetPath("gltf"))) GTEST_SKIP() << "no shared glTF sample models";
    ExportAndCheck(AllOutputs);
    ExportAndCheck(OtherLayout);
}

INSTANTIATE_TEST_SUITE_P(Khronos, GltfSampleExportTest,
                         ::testing::Values("AnimatedTriangle", "Box", "BoxAnimated", "BoxTextured", "BoxVertexColors",
                                           "Cameras", "MeshPrimitiveModes", "MultipleScenes", "RiggedSimple",
                                           "SimpleMeshes", "SimpleMorph", "SimpleSkin", "SimpleSparseAccessor",
                                           "TextureCoordinateTest", "TriangleWithoutIndices"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
}  // namespace korvo
