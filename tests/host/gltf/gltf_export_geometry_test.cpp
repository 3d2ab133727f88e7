// Small glTF files as the model file writes them: the glTF axes, a turned
// node, vertex positions, a two-bone skin.

#include <map>

#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::BodyChild;
using test::ImdElement;
using test::Named;

class GltfGeometryExportTest : public test::GltfExportTest {};

void IndexedVertices(ExportSettings& s) { s.vertex_style = 1; }

TEST_F(GltfGeometryExportTest, KeepsTheGltfAxesAndTurns) {
    // One triangle, used by a node one unit up and by a node turned a
    // quarter turn about +Y (so +X goes to -Z) and moved two along X.
    const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 0.5f, -0.25f}, "VEC3");
    ExportMade(R"("nodes": [{"name": "Up", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,1,0,1], "mesh": 0},
                           {"name": "Turned", "translation": [2, 0, 0], "mesh": 0,
                            "rotation": [0, 0.70710678, 0, 0.70710678]}],
                "meshes": [{"primitives": [{"attributes": {"POSITION": )" +
                   std::to_string(positions) + "}}]}]",
               IndexedVertices);
    const ImdElement imd = ReadBack("imd");
    const ImdElement& nodes = BodyChild(imd, "node_array");
    EXPECT_EQ(Named(nodes, "Up").Attribute("translate"), "0.000000 1.000000 0.000000");
    EXPECT_EQ(Named(nodes, "Up").Attribute("rotate"), "0.000000 0.000000 0.000000");
    EXPECT_EQ(Named(nodes, "Turned").Attribute("translate"), "2.000000 0.000000 0.000000");
    EXPECT_EQ(Named(nodes, "Turned").Attribute("rotate"), "0.000000 90.000000 0.000000");

    // Each node's positions in its own space, as in the file.
    const std::string triangle = "\t0.000000 0.000000 0.000000\n\t1.000000 0.000000 0.000000\n"
                                 "\t0.000000 0.500000 -0.250000\n";
    EXPECT_EQ(BodyChild(imd, "vtx_pos_data").text, "\n" + triangle + triangle);
    // The box is in model space: Up's corners (0, 1, 0), (1, 1, 0),
    // (0, 1.5, -0.25); Turned's (2, 0, 0), (2, 0, -1), (1.75, 0.5, 0).
    const ImdElement& box = BodyChild(imd, "box_test");
    EXPECT_EQ(box.Attribute("xyz"), "0.000000 0.000000 -1.000000");
    EXPECT_EQ(box.Attribute("whd"), "2.000000 1.500000 1.000000");
}

// The matrix_array entry each vertex of the polygon is drawn with, by
// position index, following the mtx commands of every group.
std::map<long, long> MatrixOfEachPosition(const ImdElement& polygon) {
    std::map<long, long> matrix_of;
    for (const ImdElement* group : polygon.Children("mtx_prim")) {
        const std::vector<double> list = group->Child("mtx_list")->TextNumbers().value();
        long current = -1;
        for (const ImdElement* primitive : group->Child("primitive_array")->Children("primitive")) {
            for (const ImdElement& command : primitive->children) {
                if (command.name == "mtx") current = static_cast<long>(list.at(command.Int("idx").value()));
                if (command.name == "pos_idx") matrix_of[command.Int("idx").value()] = current;
            }
        }
    }
    return matrix_of;
}

TEST_F(GltfGeometryExportTest, WritesATwoBoneSkin) {
    // Hip at (0, 1, 0) and Knee one above it; the skinned node's own
    // transform is ignored, as glTF says. Vertices 0 and 1 hang on Hip,
    // 2 on Knee, 3 on both (25 % Hip, 75 % Knee).
    // Vertex 3's second joint and weight come in a second set.
    const int positions = file.Floats({0, 1, 0, 1, 1, 0, 0, 3, 0, 1, 2, 0}, "VEC3");
    const int joints = file.Ubytes({0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0}, "VEC4", false);
    const int weights = file.Floats({1, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0.25f, 0, 0, 0}, "VEC4");
    const int joints1 = file.Ubytes({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0}, "VEC4", false);
    const int weights1 = file.Floats({0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0.75f, 0, 0, 0}, "VEC4");
    const int indices = file.Ushorts({0, 1, 3, 0, 3, 2});
    const int inverse_binds = file.Floats(
        {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -1, 0, 1, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, -2, 0, 1}, "MAT4");
    const std::string body = R"("nodes": [{"name": "Skin", "mesh": 0, "skin": 0, "translation": [5, 0, 0]},
                           {"name": "Hip", "translation": [0, 1, 0], "children": [2]},
                           {"name": "Knee", "translation": [0, 1, 0]}],
                "skins": [{"joints": [1, 2], "inverseBindMatrices": )" +
                             std::to_string(inverse_binds) + R"(}],
                "meshes": [{"primitives": [{"indices": )" +
                             std::to_string(indices) + R"(, "attributes": {"POSITION": )" + std::to_string(positions) +
                             R"(, "JOINTS_0": )" + std::to_string(joints) + R"(, "WEIGHTS_0": )" +
                             std::to_string(weights) + R"(, "JOINTS_1": )" + std::to_string(joints1) +
                             R"(, "WEIGHTS_1": )" + std::to_string(weights1) + "}}]}]";
    EXPECT_TRUE(test::Contains(ErrorOf(file.Gltf(R"("scenes": [{"nodes": [0]}], )" + body)),
                               "skins[0].joints[0]: node 1 is not in the scene"));
    ExportMade(body, IndexedVertices);
    const ImdElement imd = ReadBack("imd");
    const ImdElement& nodes = BodyChild(imd, "node_array");
    // Nodes by name under the world root: Hip 1, Knee 2, Skin 3.
    ASSERT_EQ(nodes.children.size(), 4u);
    EXPECT_EQ(nodes.children[1].Attribute("name"), "Hip");
    EXPECT_EQ(nodes.children[2].Attribute("name"), "Knee");
    EXPECT_EQ(Named(nodes, "Hip").Attribute("translate"), "0.000000 1.000000 0.000000");
    EXPECT_EQ(Named(nodes, "Knee").Attribute("translate"), "0.000000 1.000000 0.000000");
    EXPECT_EQ(Named(nodes, "Skin").Attribute("translate"), "0.000000 0.000000 0.000000");

    const ImdElement& envelope = BodyChild(imd, "envelope");
    ASSERT_NE(envelope.Child("weight"), nullptr);
    EXPECT_EQ(envelope.Child("weight")->text, "\n\t\t25 75 \n\t");
    EXPECT_EQ(envelope.Child("node_idx")->text, "\n\t\t1 2 \n\t");
    const ImdElement& matrices = BodyChild(imd, "matrix_array");
    ASSERT_EQ(matrices.children.size(), 3u);
    EXPECT_EQ(matrices.children[0].attributes,
              (decltype(ImdElement::attributes){{"index", "0"}, {"mtx_weight", "2"}, {"envelope_head", "0"}}));
    EXPECT_EQ(matrices.children[1].Attribute("node_idx"), "1");
    EXPECT_EQ(matrices.children[2].Attribute("node_idx"), "2");

    // One-bone vertices in their bone's space, the blended one in model space.
    EXPECT_EQ(BodyChild(imd, "vtx_pos_data").text,
              "\n\t0.000000 0.000000 0.000000\n\t1.000000 0.000000 0.000000\n"
              "\t0.000000 1.000000 0.000000\n\t1.000000 2.000000 0.000000\n");
    const ImdElement* polygon = BodyChild(imd, "polygon_array").Child("polygon");
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(MatrixOfEachPosition(*polygon), (std::map<long, long>{{0, 1}, {1, 1}, {2, 2}, {3, 0}}));
    // The box puts each one-bone vertex back with its bone's matrix.
    EXPECT_EQ(BodyChild(imd, "box_test").Attribute("xyz"), "0.000000 1.000000 0.000000");
    EXPECT_EQ(BodyChild(imd, "box_test").Attribute("whd"), "1.000000 2.000000 0.000000");
}

}  // namespace
}  // namespace korvo
