#include <gtest/gtest.h>

#include "model_test_scene.h"
#include "optimize/magnification.h"

namespace korvo {
namespace {

using test::AddNode;
using test::AddPolygon;
using test::Section;

// root (16 characters) over a mesh and a mesh whose polygon was removed.
ExportScene Hierarchy() {
    ExportScene scene = test::ModelScene();
    scene.materials.push_back(DefaultMaterial(1));
    scene.materials[0].name = "mat_a";
    scene.materials[1].name = "mat_b";

    ExportNode& root = AddNode(scene, 100, "root_node_16_chr", NodeKind::Null);
    root.child = 200;
    ExportNode& mesh = AddNode(scene, 200, "mesh_a", NodeKind::Mesh, 100);
    mesh.brother_next = 300;
    mesh.billboard = Billboard::On;
    mesh.translate = {1, 2, 3};
    mesh.scale_samples = {{2, 2, 2}};
    mesh.rotate_samples = {{0, 45, 0}};
    mesh.translate_samples = {{4, 5, 6}};
    mesh.volume_min = {-10, 0, 4};
    mesh.volume_max = {10, 8, 12};
    mesh.volume_r = 9.5f;
    ExportNode& emptied = AddNode(scene, 300, "a_very_long_node_name", NodeKind::Mesh, 100);
    emptied.brother_prev = 200;
    emptied.billboard = Billboard::YOn;
    emptied.visible = false;

    ExportPolygon& first = AddPolygon(scene, 200, "first", {{20, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    first.material = "mat_b";
    first.priority = 3;
    AddPolygon(scene, 300, "removed", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}).removed = true;
    ExportPolygon& quad = AddPolygon(scene, 200, "quad", {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}});
    quad.material = "no_such_material";
    quad.triangles.clear();
    NQuadFace face;
    face.position = {0, 1, 2, 3};
    quad.quads.push_back(face);
    ComputePositionScale(scene);  // 20 gives pos_scale 2
    return scene;
}

TEST(NodeSectionTest, WritesTheHierarchyKindsVolumesAndDisplays) {
    ExportScene scene = Hierarchy();
    const test::ModelFile file = test::WriteModel(scene);
    EXPECT_EQ(Section(file.text, "node_array"),
              "\n<node_array size=\"3\">\n"
              "\t<node index=\"0\" name=\"root_node_16_chr\" kind=\"null\"\n"
              "\t\tparent=\"-1\"\n"
              "\t\tchild=\"1\"\n"
              "\t\tbrother_next=\"-1\"\n"
              "\t\tbrother_prev=\"-1\"\n"
              "\t\tdraw_mtx=\"on\"\n"
              "\t\tbillboard=\"off\"\n"
              "\t\tscale=\"1.000000 1.000000 1.000000\"\n"
              "\t\trotate=\"0.000000 0.000000 0.000000\"\n"
              "\t\ttranslate=\"0.000000 0.000000 0.000000\"\n"
              "\t\tvisibility=\"on\"\n"
              "\t\tdisplay_size=\"0\"\n"
              "\t>\n"
              "\t</node>\n"
              "\t<node index=\"1\" name=\"mesh_a\" kind=\"mesh\"\n"
              "\t\tparent=\"0\"\n"
              "\t\tchild=\"-1\"\n"
              "\t\tbrother_next=\"2\"\n"
              "\t\tbrother_prev=\"-1\"\n"
              "\t\tdraw_mtx=\"on\"\n"
              "\t\tbillboard=\"on\"\n"
              "\t\tscale=\"1.000000 1.000000 1.000000\"\n"
              "\t\trotate=\"0.000000 0.000000 0.000000\"\n"
              "\t\ttranslate=\"1.000000 2.000000 3.000000\"\n"
              "\t\tvisibility=\"on\"\n"
              "\t\tdisplay_size=\"2\"\n"
              "\t\tvertex_size=\"7\" polygon_size=\"2\"\n"
              "\t\ttriangle_size=\"1\" quad_size=\"1\"\n"
              "\t\tvolume_min=\"-2.500000 0.000000 1.000000\"\n"
              "\t\tvolume_max=\"2.500000 2.000000 3.000000\"\n"
              "\t\tvolume_r=\"2.375000\"\n"
              "\t>\n"
              "\t\t<display index=\"0\" material=\"1\" polygon=\"0\" priority=\"3\"/>\n"
              "\t\t<display index=\"1\" material=\"0\" polygon=\"1\" priority=\"0\"/>\n"
              "\t</node>\n"
              "\t<node index=\"2\" name=\"a_very_long_node_name\" kind=\"null\"\n"
              "\t\tparent=\"0\"\n"
              "\t\tchild=\"-1\"\n"
              "\t\tbrother_next=\"-1\"\n"
              "\t\tbrother_prev=\"1\"\n"
              "\t\tdraw_mtx=\"on\"\n"
              "\t\tbillboard=\"y_on\"\n"
              "\t\tscale=\"1.000000 1.000000 1.000000\"\n"
              "\t\trotate=\"0.000000 0.000000 0.000000\"\n"
              "\t\ttranslate=\"0.000000 0.000000 0.000000\"\n"
              "\t\tvisibility=\"off\"\n"
              "\t\tdisplay_size=\"0\"\n"
              "\t>\n"
              "\t</node>\n"
              "</node_array>\n");
    EXPECT_EQ(file.warnings, (std::vector<std::string>{
                                 "Warning: Length of name over 16 characters. node: a_very_long_node_name",
                                 "Warning: Mesh has no polygon: a_very_long_node_name",
                             }));
}

TEST(NodeSectionTest, AnEmptyNodeListWritesAnEmptyArray) {
    ExportScene scene = test::ModelScene();
    scene.materials.clear();
    EXPECT_EQ(Section(test::ModelText(scene), "node_array"), "\n<node_array size=\"0\">\n</node_array>\n");
}

}  // namespace
}  // namespace korvo
