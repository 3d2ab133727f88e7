#include "extract/mesh_extraction.h"

#include <gtest/gtest.h>

#include "extract/default_material.h"
#include "document_run.h"

namespace korvo {
namespace {

using MeshTestScene = test::DocumentRun;
using test::Near;

TEST(MeshExtraction, ASingleQuadComesOutInTheNodesYUpSpace) {
    // The node's own transform (turned about X) must not move the vertices,
    // and the up normal must stay up after the trip through world space.
    MeshTestScene run(R"({"nodes": [{"name": "Floor", "transform": {"position": [5, 6, 7], "rotation": [90, 0, 0]},
        "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0], [1, 2, 3]],
                 "tex_vertices": [[0, 0], [1, 0], [1, 0.25], [0, 1]],
                 "faces": [{"position": [0, 1, 2, 3], "tex": [0, 1, 2, 3]}]}}]})");
    ASSERT_TRUE(run.Build());
    ASSERT_EQ(run.scene.polygons.size(), 1u);
    const ExportPolygon& floor = run.Polygon(0);

    EXPECT_EQ(floor.name, "Floor");
    EXPECT_EQ(floor.node, run.host->nodes[1]->id);
    EXPECT_EQ(floor.source_node, floor.node);
    EXPECT_FALSE(floor.removed || floor.skinned());
    EXPECT_EQ(floor.positions, (std::vector<Vec3>{{0, 0, 0}, {1, 0, 0}, {1, 0, -1}, {0, 0, -1}, {1, 3, -2}}));
    ASSERT_EQ(floor.normals.size(), 1u);
    EXPECT_TRUE(Near(floor.normals[0], {0, 1, 0}));
    EXPECT_EQ(floor.tex_coords, (std::vector<Vec2>{{0, 1}, {1, 1}, {1, 0.75f}, {0, 0}}));
    EXPECT_TRUE(floor.colors.empty() && floor.triangles.empty());
    ASSERT_EQ(floor.quads.size(), 1u);
    const NQuadFace& quad = floor.quads[0];
    EXPECT_EQ(quad.position, (std::array<uint16_t, 4>{1, 2, 3, 0}));
    EXPECT_EQ(quad.tex, quad.position);
    EXPECT_EQ(quad.normal, (std::array<uint16_t, 4>{0, 0, 0, 0}));
    EXPECT_TRUE(Near(quad.face_vector, {0, 1, 0}));
    // The unused fifth vertex stays out of the box.
    EXPECT_EQ(floor.volume_min, (Vec3{0, 0, -1}));
    EXPECT_EQ(floor.volume_max, (Vec3{1, 0, 0}));
    EXPECT_FLOAT_EQ(floor.volume_r, 0.70710677f);
    EXPECT_EQ(floor.material, kDefaultMaterialName);
    EXPECT_EQ(floor.priority, 0);
    ASSERT_EQ(run.scene.materials.size(), 1u);
    EXPECT_FALSE(run.scene.materials[0].orphan);
}

TEST(MeshExtraction, TheObjectOffsetMovesPositionsAndTurnsNormals) {
    MeshTestScene run(R"({"nodes": [{"name": "Offset", "transform": {"position": [4, 0, 0], "rotation": [0, 30, 0]},
        "object_offset": {"position": [0, 0, 1], "rotation": [90, 0, 0]},
        "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 2, 3]], "faces": [[0, 1, 2]]}}]})");
    ASSERT_TRUE(run.Build());
    const ExportPolygon& offset = run.Polygon(0);
    // (1, 2, 3) turned a quarter about X is (1, -3, 2), lifted by 1 is
    // (1, -3, 3), which is (1, 3, 3) with Y up.
    EXPECT_TRUE(Near(offset.positions[3], {1, 3, 3}));
    // The face's up normal now points along the host's -Y: +Z with Y up.
    ASSERT_EQ(offset.normals.size(), 1u);
    EXPECT_TRUE(Near(offset.normals[0], {0, 0, 1}));
    EXPECT_TRUE(Near(offset.triangles[0].face_vector, {0, 0, 1}));
}

// Each polygon's faces by their position indices: "t0 1 2 q1 2 3 0".
std::vector<std::string> FaceLists(const ExportScene& scene) {
    std::vector<std::string> lists;
    for (const ExportPolygon& polygon : scene.polygons) {
        std::string text;
        for (const NTriFace& face : polygon.triangles) {
            text += "t";
            for (uint16_t p : face.position) text += std::to_string(p) + " ";
        }
        for (const NQuadFace& face : polygon.quads) {
            text += "q";
            for (uint16_t p : face.position) text += std::to_string(p) + " ";
        }
        lists.push_back(text);
    }
    return lists;
}

std::vector<std::string> FaceListsWith(const std::string& document, Triangulation triangulation) {
    MeshTestScene run(document);
    run.options.triangulation = triangulation;
    EXPECT_TRUE(run.Build());
    return FaceLists(run.scene);
}

TEST(MeshExtraction, QuadsAreRebuiltAlongEitherDiagonalAndCheckedWhenAsked) {
    // Split02 becomes triangles (0 1 2), (0 2 3); Split13 (1 2 3), (1 3 0).
    // Either way the quad starts at the first triangle's free corner and
    // keeps its winding. Bent has a corner 0.01 off the plane, Pinched two
    // corners 0.0005 apart.
    const std::string document = R"({"nodes": [
        {"name": "Pair", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]],
                                  "faces": [[0, 1, 2], [0, 2, 3]]}},
        {"name": "Split02", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]], "faces": [[0, 1, 2, 3]]}},
        {"name": "Split13", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]], "faces": [[1, 2, 3, 0]]}},
        {"name": "Bent", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0.01], [0, 1, 0]], "faces": [[0, 1, 2, 3]]}},
        {"name": "Pinched", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [1, 1, 0.0005]],
                                     "faces": [[0, 1, 2, 3]]}}]})";
    using Lists = std::vector<std::string>;
    EXPECT_EQ(FaceListsWith(document, Triangulation::AsIs),
              (Lists{"t0 1 2 t0 2 3 ", "q1 2 3 0 ", "q2 3 0 1 ", "q1 2 3 0 ", "q1 2 3 0 "}));
    EXPECT_EQ(FaceListsWith(document, Triangulation::AsIsChecking),
              (Lists{"t0 1 2 t0 2 3 ", "q1 2 3 0 ", "q2 3 0 1 ", "t0 1 2 t0 2 3 ", "t0 1 2 t0 2 3 "}));
    const Lists triangles{"t0 1 2 t0 2 3 ", "t0 1 2 t0 2 3 ", "t1 2 3 t1 3 0 ", "t0 1 2 t0 2 3 ", "t0 1 2 t0 2 3 "};
    EXPECT_EQ(FaceListsWith(document, Triangulation::GenerateQuads), triangles);
    EXPECT_EQ(FaceListsWith(document, Triangulation::AllTris), triangles);
}

TEST(MeshExtraction, FacesOfMoreThanFourSidesStayTrianglesWithOneWarning) {
    MeshTestScene run(R"({"nodes": [{"name": "Pentagon", "mesh": {
        "vertices": [[0, 0, 0], [2, 0, 0], [3, 1, 0], [1, 2, 0], [-1, 1, 0],
                     [5, 0, 0], [6, 0, 0], [6, 1, 0], [5, 1, 0]],
        "faces": [[0, 1, 2, 3, 4], [5, 6, 7, 8], [4, 3, 2, 1, 0]]}}]})");
    ASSERT_TRUE(run.Build());
    EXPECT_EQ(run.Polygon(0).triangles.size(), 6u);
    EXPECT_EQ(run.Polygon(0).quads.size(), 1u);
    EXPECT_EQ(run.reports.Warnings(),
              std::vector<std::string>{"Warning: Polygons of a higher order than quadrilateral were found on node "
                                       "\"Pentagon\" and have been converted to triangles."});
}

TEST(MeshExtraction, EachSubMaterialGetsAPolygonAndAnUnusedOneIsRemoved) {
    // Material IDs pick sub-materials modulo their count: 3 is slot 0.
    MeshTestScene run(R"({
        "materials": [{"class": "multi", "name": "Multi", "sub_materials": [
            {"class": "korvo_standard", "name": "Red"}, {"class": "korvo_standard", "name": "Green"},
            {"class": "korvo_standard", "name": "Blue"}]}],
        "nodes": [{"name": "Box", "material": "Multi", "mesh": {
            "vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0], [3, 0, 0], [4, 0, 0], [4, 1, 0]],
            "faces": [{"position": [0, 1, 2], "material_id": 0}, {"position": [0, 2, 3], "material_id": 3},
                      {"position": [4, 5, 6], "material_id": 2}]}}]})");
    // Material extraction took Red (priority 3) and Green, but not Blue.
    run.replace_materials = [&run](Extraction& extraction) {
        const HostMaterial* multi = run.host->root_materials[0];
        ExportMaterial red = DefaultMaterial(1), green = DefaultMaterial(1);
        red.name = "Red";
        red.priority = 3;
        green.name = "Green";
        green.priority = 5;
        extraction.scene.materials = {DefaultMaterial(1), green, red};
        extraction.material_sources = {nullptr, multi->SubMaterial(1), multi->SubMaterial(0)};
    };
    ASSERT_TRUE(run.Build());
    std::vector<std::string> summaries;
    for (const ExportPolygon& polygon : run.scene.polygons) {
        summaries.push_back(polygon.name + " " + polygon.material + " " + std::to_string(polygon.priority) +
                            (polygon.removed ? " removed " : " kept ") + std::to_string(polygon.positions.size()));
    }
    // A removed polygon names its material but neither takes its priority
    // nor marks it used.
    EXPECT_EQ(summaries, (std::vector<std::string>{"Box Red 3 kept 7", "Box_1 Green 0 removed 7",
                                                   "Box_2 dummy_material 0 kept 7"}));
    EXPECT_EQ(FaceLists(run.scene), (std::vector<std::string>{"t0 1 2 t0 2 3 ", "", "t4 5 6 "}));
    std::vector<bool> orphans;
    for (const ExportMaterial& material : run.scene.materials) orphans.push_back(material.orphan);
    EXPECT_EQ(orphans, (std::vector<bool>{false, true, false}));
    // Pieces of one node do not count as renamed nodes.
    EXPECT_TRUE(run.reports.all.empty());
}

TEST(MeshExtraction, VertexColoursOnlyWithColourDisplayAndDegenerateFacesDropped) {
    const std::string mesh = R"("mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]],
        "color_vertices": [[0.5, 0.2, 1.0], [0.1, 0, 0.999]],
        "faces": [{"position": [0, 1, 2], "color": [1, 0, 1]}, {"position": [0, 1, 1], "color": [0, 0, 0]}]})";
    MeshTestScene run(R"({"nodes": [{"name": "Shown", "vertex_color_display": true, )" + mesh +
                      R"(}, {"name": "Hidden", )" + mesh + "}]}");
    ASSERT_TRUE(run.Build());
    const ExportPolygon& shown = run.Polygon(0);
    EXPECT_EQ(shown.colors, (std::vector<VertexColor>{{127, 51, 255}, {25, 0, 254}}));
    ASSERT_EQ(shown.triangles.size(), 1u);
    EXPECT_EQ(shown.triangles[0].color, (std::array<uint16_t, 3>{1, 0, 1}));
    const ExportPolygon& hidden = run.Polygon(1);
    EXPECT_TRUE(hidden.colors.empty());
    ASSERT_EQ(hidden.triangles.size(), 1u);
    EXPECT_EQ(hidden.triangles[0].color, (std::array<uint16_t, 3>{0, 0, 0}));
}

TEST(MeshExtraction, RenamedNodesBoneObjectsAndSkippedNodes) {
    MeshTestScene run(R"({"nodes": [
        {"name": "my box", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "my_box", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "my_box", "object": "bone_object",
         "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "Hidden", "hidden": true, "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "Empty", "object": "mesh"}]})");
    run.node_progress_step = 1.0f;
    ASSERT_TRUE(run.Build());
    ASSERT_EQ(run.scene.polygons.size(), 3u);
    EXPECT_EQ((std::vector<std::string>{run.Polygon(0).name, run.Polygon(1).name, run.Polygon(2).name}),
              (std::vector<std::string>{"my_box", "my_box_1", "my_box_2"}));
    EXPECT_FALSE(run.Polygon(1).removed);
    EXPECT_TRUE(run.Polygon(2).removed);
    EXPECT_EQ(run.Polygon(2).triangles.size(), 1u);
    // Only a host name equal to an earlier polygon's name is reported, once
    // per such polygon.
    EXPECT_EQ(run.reports.Warnings(), std::vector<std::string>(2, "Warning: Node name changed: my_box"));
    // Both passes advance once per mesh node.
    EXPECT_FLOAT_EQ(run.shown.progress.percent() - run.progress_before, 10.0f);
}

TEST(MeshExtraction, SubdivisionSurfacesAreRefusedWithAnErrorBoxAndLeftOut) {
    const std::string document = R"({"nodes": [
        {"name": "Smooth", "modifiers": [{"class": "HSDS"}],
         "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "Plain", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}},
        {"name": "Meshsmoothed", "modifiers": [{"class": "MeshSmooth", "name": "SmoothMod"}],
         "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]}}]})";
    MeshTestScene polygons(document);
    // Material extraction refuses the scene first; polygon building refuses
    // the nodes on its own.
    polygons.replace_materials = [](Extraction& extraction) {
        extraction.scene.materials = {DefaultMaterial(1)};
        extraction.material_sources = {nullptr};
    };
    ASSERT_TRUE(polygons.Build());
    ASSERT_EQ(polygons.scene.polygons.size(), 1u);
    EXPECT_EQ(polygons.Polygon(0).name, "Plain");
    EXPECT_EQ(polygons.reports.Errors(),
              (std::vector<std::string>{"Subdivision Modifier Applied: Error: Can't export subdivision surface. Smooth",
                                        "Subdivision Modifier Applied: Error: Can't export subdivision surface. "
                                        "Meshsmoothed"}));
}

TEST(MeshExtraction, MorpherChannelsAreSampledPerFrame) {
    MeshTestScene run(R"({"start_frame": 0, "end_frame": 10,
        "materials": [{"class": "korvo_morpher", "name": "Face", "sub_materials": [
            {"class": "korvo_standard", "name": "Smile"}, {"class": "korvo_standard", "name": "Base"}]}],
        "nodes": [{"name": "Head", "material": "Face",
            "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [{"position": [0, 1, 2], "material_id": 1}]},
            "modifiers": [{"class": "morpher", "channels": [{"index": 0, "weight": {"keys": [[2, 0], [6, 100]]}},
                                                           {"index": 99, "weight": 30}]}]}]})");
    run.replace_materials = [&run](Extraction& extraction) {
        ExportMaterial face = DefaultMaterial(3);
        face.name = "Face";
        extraction.scene.materials = {face};
        extraction.material_sources = {run.host->root_materials[0]};
    };
    ASSERT_TRUE(run.Build(3, 5));
    ASSERT_EQ(run.scene.polygons.size(), 1u);
    const ExportPolygon& head = run.Polygon(0);
    EXPECT_EQ(head.triangles.size(), 1u);
    EXPECT_EQ(head.material, "Face");
    EXPECT_EQ(head.morph_tracks[0], (std::vector<float>{25, 50, 75}));
    EXPECT_EQ(head.morph_tracks[1], (std::vector<float>{0, 0, 0}));
    EXPECT_EQ(head.morph_tracks[99], (std::vector<float>{30, 30, 30}));
}

TEST(MeshExtraction, AMeshTooLargeForSixteenBitIndicesIsRefused) {
    MeshTestScene run(R"({"nodes": [{"name": "Huge", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]],
        "faces": [[0, 1, 2]]}}]})");
    ASSERT_NE(run.host, nullptr);
    run.host->nodes[1]->mesh->vertices.resize(65536);
    EXPECT_FALSE(run.Build());
    EXPECT_EQ(run.reports.Errors(),
              std::vector<std::string>{"Mesh Export Error: Mesh \"Huge\" has 65536 vertices; a mesh can have at most "
                                       "65535. Split it into smaller meshes."});

    MeshTestScene fits(R"({"nodes": [{"name": "Big", "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]],
        "faces": [[0, 1, 2]]}}]})");
    fits.host->nodes[1]->mesh->vertices.resize(65535);
    EXPECT_TRUE(fits.Build());
    EXPECT_TRUE(fits.reports.Errors().empty());
}

}  // namespace
}  // namespace korvo
