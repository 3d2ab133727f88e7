#include <gtest/gtest.h>

#include <random>

#include "model_test_scene.h"
#include "optimize/magnification.h"
#include "optimize/color_list_compression.h"

namespace korvo {
namespace {

using test::AddNode;
using test::AddPolygon;
using test::ModelText;
using test::Section;

ExportOptions IndexStyle() {
    ExportOptions options;
    options.vertex_style = VertexStyle::Index;
    return options;
}

ExportScene OneMeshScene(const std::vector<Vec3>& positions) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "mesh", NodeKind::Mesh);
    AddPolygon(scene, 1, "mesh", positions);
    ComputePositionScale(scene);
    return scene;
}

TEST(ModelFileTest, DefaultSettingsWriteModelInfoAndTheSectionsInOrder) {
    ExportScene scene = OneMeshScene({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 1, 0}, {1, 0, 1}});
    const std::string text = ModelText(scene);
    EXPECT_EQ(Section(text, "model_info"),
              "\n<model_info\n"
              "\tpos_scale=\"0\"\n"
              "\tscaling_rule=\"standard\"\n"
              "\tvertex_style=\"direct\"\n"
              "\tmagnify=\"1.000000\"\n"
              "\ttool_start_frame=\"0\"\n"
              "\ttex_matrix_mode=\"3dsmax\"\n"
              "\tcompress_node=\"none\" node_size=\"1 1\"\n"
              "\tcompress_material=\"off\" material_size=\"1 1\"\n"
              "\toutput_texture=\"used\"\n"
              "\tforce_full_weight=\"off\"\n"
              "\tuse_primitive_strip=\"on\"\n"
              "/>\n");
    EXPECT_EQ(Section(text, "output_info"),
              "\n<output_info vertex_size=\"6\" polygon_size=\"2\"\n"
              "\ttriangle_size=\"2\" quad_size=\"0\"/>\n");

    std::size_t last = 0;
    for (const char* tag : {"<original_generator", "<model_info", "<box_test", "<material_array", "<matrix_array",
                            "<polygon_array", "<node_array", "<output_info", "</body>"}) {
        const std::size_t at = text.find(tag);
        ASSERT_NE(at, std::string::npos) << tag;
        EXPECT_GT(at, last) << tag;
        last = at;
    }
    EXPECT_EQ(text.find("<vtx_pos_data"), std::string::npos);
    EXPECT_EQ(text.find("<envelope"), std::string::npos);
}

TEST(ModelFileTest, BoxTestIsInModelSpaceWithAScaleOfItsOwn) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "group", NodeKind::Null).translate = {10, 0, 0};
    ExportNode& mesh = AddNode(scene, 2, "mesh", NodeKind::Mesh, 1);
    mesh.rotate = {0, 90, 0};
    mesh.translate = {0, 1, 0};
    // Turned a quarter about Y, (x, y, z) becomes (z, y, -x): the corners
    // land on (10, 1, -1), (10, 3, 0) and (13, 1, 0).
    AddPolygon(scene, 2, "mesh", {{1, 0, 0}, {0, 2, 0}, {0, 0, 3}});
    ComputePositionScale(scene);
    const std::string text = ModelText(scene);
    EXPECT_TRUE(test::Contains(text, "\tpos_scale=\"0\"\n"));
    // The corner needs one halving, the size none; the size follows the corner.
    EXPECT_EQ(Section(text, "box_test"),
              "\n<box_test pos_scale=\"1\" xyz=\"5.000000 0.500000 -0.500000\" whd=\"1.500000 1.000000 0.500000\"/>\n");
}

TEST(ModelFileTest, BoxTestHalvesAgainWhenTheFarCornerIsOutOfRange) {
    // 7 + 0.5 is in range; a box from 7 to 9 is not.
    ExportScene narrow = OneMeshScene({{7, 0, 0}, {7.5f, 1, 0}, {7, 0, 0.5f}});
    EXPECT_EQ(Section(ModelText(narrow), "box_test"),
              "\n<box_test pos_scale=\"0\" xyz=\"7.000000 0.000000 0.000000\" whd=\"0.500000 1.000000 0.500000\"/>\n");
    ExportScene wide = OneMeshScene({{7, 0, 0}, {9, 1, 0}, {7, 0, 1}});
    EXPECT_EQ(Section(ModelText(wide), "box_test"),
              "\n<box_test pos_scale=\"1\" xyz=\"3.500000 0.000000 0.000000\" whd=\"1.000000 0.500000 0.500000\"/>\n");
    // With every polygon removed there is no box.
    wide.polygons[0].removed = true;
    const std::string empty = ModelText(wide);
    EXPECT_NE(Section(empty, "model_info"), "");
    EXPECT_EQ(Section(empty, "box_test"), "");
}

TEST(ModelFileTest, BoxTestTakesSkinnedVerticesInTheSpaceTheyAreStoredIn) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "body", NodeKind::Mesh).translate = {100, 0, 0};
    AddNode(scene, 2, "bone", NodeKind::Joint).translate = {0, 5, 0};
    ExportPolygon& polygon = AddPolygon(scene, 1, "body", {{1, 1, 1}, {2, 2, 2}, {3, 3, 3}});
    polygon.skin = {test::Skin({{2, 1.0f}}), test::Skin({{2, 0.5f}, {1, 0.5f}}), test::Skin({})};
    polygon.skin[2].nodes = {1};
    polygon.skin[2].weights = {1.0f};
    ComputePositionScale(scene);
    // In bone space (1, 6, 1), blended (2, 2, 2) as stored, unweighted in the
    // mesh's space (103, 3, 3): corner (1, 2, 1), size (102, 4, 2). The size
    // takes four halvings, and the corner follows it.
    EXPECT_EQ(Section(ModelText(scene), "box_test"),
              "\n<box_test pos_scale=\"4\" xyz=\"0.062500 0.125000 0.062500\" whd=\"6.375000 0.250000 0.125000\"/>\n");
}

std::string PositionList(float largest) {
    ExportScene scene = OneMeshScene({{largest, 0.1f, -8.0f}, {0, 1, 0}, {0, 0, 1}});
    const std::string text = ModelText(scene, IndexStyle());
    const std::string scale_line = "\tpos_scale=\"" + std::to_string(scene.pos_scale) + "\"\n";
    EXPECT_TRUE(test::Contains(Section(text, "model_info"), scale_line));
    const std::string list = Section(text, "vtx_pos_data");
    const std::size_t first = list.find('\t');
    return list.substr(first, list.find('\n', first) - first);
}

TEST(ModelFileTest, PositionScaleHalvesUntilEveryPositionIsBelowEight) {
    // 0.1 is rounded to 410 / 4096; -8 is in range, 8 is not.
    EXPECT_EQ(PositionList(7.5f), "\t7.500000 0.100098 -8.000000");
    EXPECT_EQ(PositionList(8.0f), "\t4.000000 0.050049 -4.000000");
    EXPECT_EQ(PositionList(20.0f), "\t5.000000 0.024902 -2.000000");
}

TEST(ModelFileTest, PositionScaleKeepsUnscaledPositionsAndSkipsRemovedPolygons) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "mesh", NodeKind::Mesh);
    AddPolygon(scene, 1, "kept", {{20, 0, 0}, {0, 1, 0}, {0, 0, 1}});
    AddPolygon(scene, 1, "gone", {{100, 0.1f, 0}, {0, 1, 0}, {0, 0, 1}}).removed = true;
    ComputePositionScale(scene);
    EXPECT_EQ(scene.pos_scale, 2);
    EXPECT_EQ(scene.polygons[0].unscaled_positions[0], (Vec3{20, 0, 0}));
    EXPECT_EQ(scene.polygons[0].positions[0], (Vec3{5, 0, 0}));
    // Not halved, only rounded.
    EXPECT_EQ(scene.polygons[1].positions[0], (Vec3{100, 410.0f / 4096, 0}));
}

ExportScene ColouredScene(bool colours) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "a", NodeKind::Mesh);
    AddNode(scene, 2, "b", NodeKind::Mesh);
    AddPolygon(scene, 1, "a", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}});
    AddPolygon(scene, 1, "removed", {{5, 5, 5}}).removed = true;
    AddPolygon(scene, 2, "b", {{0, 0, 1}, {1, 0, 1}, {0, 1, 1}, {1, 1, 1}});
    if (colours) {
        scene.polygons[0].colors = {{255, 128, 7}, {8, 16, 24}};
        scene.polygons[1].colors = {{200, 200, 200}};
        scene.polygons[2].colors = {{0, 0, 0}};
    }
    ComputePositionScale(scene);
    return scene;
}

TEST(ModelFileTest, IndexStyleWritesModelWideListsAndEachPolygonsOffsets) {
    ExportScene scene = ColouredScene(true);
    const test::ModelFile file = test::WriteModel(scene, IndexStyle());
    const std::string& text = file.text;
    EXPECT_EQ(Section(text, "vtx_pos_data"),
              "\n<vtx_pos_data pos_size=\"7\">\n"
              "\t0.000000 0.000000 0.000000\n"
              "\t1.000000 0.000000 0.000000\n"
              "\t0.000000 1.000000 0.000000\n"
              "\t0.000000 0.000000 1.000000\n"
              "\t1.000000 0.000000 1.000000\n"
              "\t0.000000 1.000000 1.000000\n"
              "\t1.000000 1.000000 1.000000\n"
              "</vtx_pos_data>\n");
    EXPECT_EQ(Section(text, "vtx_color_data"),
              "\n<vtx_color_data color_size=\"3\">\n"
              "\t31 16 0\n"
              "\t1 2 3\n"
              "\t0 0 0\n"
              "</vtx_color_data>\n");
    EXPECT_EQ(file.layout.polygons[2].position_base, 3);
    EXPECT_EQ(file.layout.polygons[2].color_base, 2);
    EXPECT_EQ(test::WriteLaidOut(scene, IndexStyle(), file.layout).text, text) << "written again, the file is the same";

    ExportScene without_colours = ColouredScene(false);
    const std::string positions_only = ModelText(without_colours, IndexStyle());
    EXPECT_NE(Section(positions_only, "vtx_pos_data"), "");
    EXPECT_EQ(Section(positions_only, "vtx_color_data"), "");

    ExportScene direct_scene = ColouredScene(true);
    const std::string direct = ModelText(direct_scene);
    EXPECT_EQ(Section(direct, "vtx_pos_data"), "");
    EXPECT_EQ(Section(direct, "vtx_color_data"), "");
}

// The plain definition: scan the earlier colours for each one.
void CompressByScan(ExportPolygon& polygon) {
    std::vector<VertexColor> kept;
    std::vector<uint16_t> new_index;
    for (const VertexColor& c : polygon.colors) {
        std::size_t k = 0;
        while (k < kept.size() && !(kept[k] == c)) ++k;
        if (k == kept.size()) kept.push_back(c);
        new_index.push_back(static_cast<uint16_t>(k));
    }
    polygon.colors = kept;
    for (NTriFace& face : polygon.triangles) {
        for (uint16_t& i : face.color) i = new_index[i];
    }
    for (NQuadFace& face : polygon.quads) {
        for (uint16_t& i : face.color) i = new_index[i];
    }
}

TEST(ModelFileTest, ColourCompressionMatchesTheScanOfEarlierColours) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        ExportPolygon polygon;
        const int colours = 1 + static_cast<int>(random() % 40);
        for (int i = 0; i < colours; ++i) {
            // Few distinct values, so that repeats are common.
            polygon.colors.push_back({static_cast<uint8_t>(random() % 3 * 100), static_cast<uint8_t>(random() % 2),
                                      static_cast<uint8_t>(random() % 2 * 7)});
        }
        const auto corner = [&] { return static_cast<uint16_t>(random() % static_cast<unsigned>(colours)); };
        for (int f = 0; f < 10; ++f) {
            NTriFace triangle;
            triangle.color = {corner(), corner(), corner()};
            polygon.triangles.push_back(triangle);
            NQuadFace quad;
            quad.color = {corner(), corner(), corner(), corner()};
            polygon.quads.push_back(quad);
        }
        ExportPolygon expected = polygon;
        CompressByScan(expected);
        CompressColorList(polygon);
        ASSERT_EQ(polygon.colors, expected.colors);
        for (std::size_t f = 0; f < polygon.triangles.size(); ++f) {
            ASSERT_EQ(polygon.triangles[f].color, expected.triangles[f].color);
            ASSERT_EQ(polygon.quads[f].color, expected.quads[f].color);
        }
    }
}

}  // namespace
}  // namespace korvo
