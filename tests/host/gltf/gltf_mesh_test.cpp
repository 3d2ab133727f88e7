#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::GltfTest;

std::string Index(int accessor) { return std::to_string(accessor); }

std::vector<std::vector<int>> Corners(const MemoryMesh& mesh) {
    std::vector<std::vector<int>> corners;
    for (const MemoryPolygon& polygon : mesh.polygons) corners.push_back(polygon.position);
    return corners;
}

TEST_F(GltfTest, PrimitivesFormOneMeshWithMaterialIds) {
    const std::vector<float> quad = {0, 0, 0, 1, 0, 0, 0, 1, 0, 1, 1, 0};
    const int positions = file.Floats(quad, "VEC3");
    const int normals = file.Floats({0, 0, 1, 0, 0, 1, 0, 0, 1, 0, 0, 1}, "VEC3");
    const int colors = file.Ubytes({255, 0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 51, 51, 51, 255}, "VEC4", true);
    const int uvs = file.Ubytes({0, 0, 255, 0, 0, 255, 255, 255}, "VEC2", true);
    // A sparse accessor over the quad: vertex 2 moved to (5, 5, 5).
    const int sparse_index = file.View(std::string("\x02\x00", 2));
    const int sparse_value = file.View(std::string("\x00\x00\xa0\x40\x00\x00\xa0\x40\x00\x00\xa0\x40", 12));
    file.accessors.push_back(R"({"bufferView": 0, "componentType": 5126, "count": 4, "type": "VEC3",
        "sparse": {"count": 1, "indices": {"bufferView": )" +
                             Index(sparse_index) + R"(, "componentType": 5123}, "values": {"bufferView": )" +
                             Index(sparse_value) + "}}}");
    const int moved = static_cast<int>(file.accessors.size()) - 1;
    Load(file.Gltf(R"("nodes": [{"name": "Shape", "mesh": 0}],
        "materials": [{"name": "Red"}, {"name": "Blue"}],
        "meshes": [{"name": "Shape", "primitives": [
          {"mode": 5, "material": 0, "attributes": {"POSITION": )" +
                   Index(positions) + R"(, "NORMAL": )" + Index(normals) + R"(, "COLOR_0": )" + Index(colors) +
                   R"(, "TEXCOORD_0": )" + Index(uvs) + R"(}},
          {"mode": 6, "material": 1, "attributes": {"POSITION": )" +
                   Index(moved) + R"(}},
          {"mode": 0, "material": 1, "attributes": {"POSITION": )" +
                   Index(positions) + R"(}}]}])"));

    const MemoryNode& node = *Node("Shape");
    const MemoryMesh& mesh = *node.mesh;
    // Strip (0 1 2) (1 3 2); fan (1 2 0) (2 3 0) over the second primitive's vertices 4..7.
    EXPECT_EQ(Corners(mesh), (std::vector<std::vector<int>>{{0, 1, 2}, {1, 3, 2}, {5, 6, 4}, {6, 7, 4}}));
    EXPECT_EQ(mesh.polygons[1].material_id, 0);
    EXPECT_EQ(mesh.polygons[2].material_id, 1);
    EXPECT_EQ(mesh.vertices[6], (Point3{5, -5, 5}));  // the sparse substitute, turned to Z-up
    EXPECT_EQ(warnings.size(), 1u);
    EXPECT_NE(warnings[0].find("meshes[0].primitives[2]: points and lines are not exported"), std::string::npos);

    ASSERT_TRUE(node.material);
    EXPECT_EQ(node.material->class_name, "multi");
    ASSERT_EQ(node.material->sub_materials.size(), 2u);
    EXPECT_EQ(node.material->sub_materials[1]->name, "Blue");
    EXPECT_EQ(scene->root_materials, std::vector<MemoryMaterial*>{node.material});

    EXPECT_TRUE(node.vertex_color_display);
    EXPECT_EQ(mesh.color_vertices[1], (Point3{0, 1, 0}));
    EXPECT_FLOAT_EQ(mesh.color_vertices[3].x, 0.2f);
    EXPECT_EQ(mesh.color_vertices[4], (Point3{1, 1, 1}));  // the fan has no colours: white
    EXPECT_EQ(mesh.polygons[2].color, (std::vector<int>{4, 4, 4}));
    // glTF's v runs down from the top, the host's up from the bottom.
    EXPECT_EQ(mesh.tex_vertices[1], (Point3{1, 1, 0}));
    EXPECT_EQ(mesh.tex_vertices[2], (Point3{0, 0, 0}));
    EXPECT_EQ(mesh.normals[0], (Point3{0, -1, 0}));
    // The fan has no normals: each triangle gets its flat one.
    const MemoryPolygon& fan = mesh.polygons[3];
    EXPECT_EQ(fan.normal[0], fan.normal[2]);
    EXPECT_EQ(mesh.normals[fan.normal[0]],
              Normalize(CrossProd(mesh.vertices[7] - mesh.vertices[6], mesh.vertices[4] - mesh.vertices[7])));
}

TEST_F(GltfTest, MorphTargetsAreReadAtTheirWeightsAndBecomeMorpherChannels) {
    const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    const int deltas = file.Floats({0, 0, 0, 0, 0, 0, 0, 2, 0}, "VEC3");
    const int times = file.Floats({0, 1}, "SCALAR");
    const int values = file.Floats({0, 1, 1, 0}, "SCALAR");
    Load(file.Gltf(R"("nodes": [{"name": "Face", "mesh": 0}, {"name": "Mask", "mesh": 0, "weights": [0, 0.25]}],
        "meshes": [{"weights": [0.5, 0], "primitives": [{"attributes": {"POSITION": )" +
                   Index(positions) + R"(}, "targets": [{"POSITION": )" + Index(deltas) + R"(}, {"POSITION": )" +
                   Index(deltas) + R"(}]}]}],
        "animations": [{"channels": [{"sampler": 0, "target": {"node": 1, "path": "weights"}}],
                        "samplers": [{"input": )" +
                   Index(times) + R"(, "output": )" + Index(values) + "}]}]"));

    EXPECT_EQ(Node("Face")->mesh->vertices[2], (Point3{0, 0, 2}));     // 1 + 0.5 x 2, up
    EXPECT_EQ(Node("Mask")->mesh->vertices[2], (Point3{0, 0, 1.5f}));  // the node's weights win
    HostMorpher& face = *Node("Face")->modifiers[0]->Morpher();
    EXPECT_FLOAT_EQ(face.ChannelValue(0, 0), 50.0f);
    EXPECT_FLOAT_EQ(face.ChannelValue(1, 0), 0.0f);
    HostMorpher& mask = *Node("Mask")->modifiers[0]->Morpher();
    const int ticks = scene->ticks_per_frame;
    EXPECT_FLOAT_EQ(mask.ChannelValue(0, 15 * ticks), 50.0f);
    EXPECT_FLOAT_EQ(mask.ChannelValue(1, 15 * ticks), 50.0f);
    EXPECT_FLOAT_EQ(mask.ChannelValue(0, 30 * ticks), 100.0f);
}

}  // namespace
}  // namespace korvo
