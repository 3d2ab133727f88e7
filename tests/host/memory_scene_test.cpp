#include "host/memory/memory_scene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "host/document/scene_document.h"
#include "host/memory/user_properties.h"

namespace korvo {
namespace {

constexpr double kPi = 3.14159265358979323846;

std::unique_ptr<MemoryScene> Load(const std::string& text) {
    std::string error;
    auto scene = LoadSceneDocumentText(text, "scene.json", &error);
    EXPECT_TRUE(scene) << error;
    return scene;
}

MemoryNode& Named(const MemoryScene& scene, const std::string& name) {
    for (const auto& node : scene.nodes) {
        if (node->name == name) return *node;
    }
    throw std::runtime_error("no node " + name);
}

void ExpectNear(const Matrix3& actual, const Matrix3& expected) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(actual.rows[r][c], expected.rows[r][c], 1e-5) << "row " << r << " column " << c;
    }
}

// Interpolation at whole frames is also seen through extraction; here the
// times between frames and outside the keys, and the host's defaults.
TEST(MemoryScene, TracksHoldOutsideTheirKeysAndInterpolateBetween) {
    auto scene = Load(R"({"ticks_per_frame": 80, "nodes": [{"name": "a",
        "visibility": {"keys": [[2, 0], [12, 1]]},
        "transform": {"position": {"keys": [[0, [0, 0, 0]], [10, [10, -20, 4]]]}}}],
        "materials": [{"class": "standard", "name": "m", "opacity": 0.5, "diffuse_map": {"w_angle": -90}}]})");
    const MemoryNode& a = Named(*scene, "a");
    EXPECT_EQ((std::vector<float>{a.Visibility(kTimeNegInfinity), a.Visibility(7 * 80), a.Visibility(100 * 80)}),
              (std::vector<float>{0.0f, 0.5f, 1.0f}));
    EXPECT_FLOAT_EQ(a.Visibility(7 * 80 + 8), 0.51f);  // a tenth of a frame
    EXPECT_EQ(a.WorldTransform(5 * 80).GetTrans(), (Point3{5, -10, 2}));

    const HostMaterial& m = *scene->RootMaterials()[0];
    EXPECT_FLOAT_EQ(m.Opacity(12345), 0.5f);
    EXPECT_FLOAT_EQ(m.Specular(0).r, 0.9f);  // the host's default
    EXPECT_NEAR(m.DiffuseMap()->WAngle(0), -kPi / 2, 1e-6);
    EXPECT_TRUE(m.DiffuseMap()->IsBitmap());
}

TEST(MemoryScene, RotationKeysInterpolateAlongTheShorterArc) {
    auto scene = Load(R"({"nodes": [
        {"name": "euler", "transform": {"rotation": {"keys": [[0, [0, 0, 0]], [10, [0, 0, 90]]]}}},
        {"name": "quat", "transform": {"quaternion": {"keys": [[0, [0, 0, 0, 1]],
                                                               [10, [0, 0, -0.70710678, -0.70710678]]]}}}]})");
    ExpectNear(Named(*scene, "euler").WorldTransform(5 * 160), RotateZMatrix(static_cast<float>(kPi / 4)));
    ExpectNear(Named(*scene, "euler").WorldTransform(10 * 160), RotateZMatrix(static_cast<float>(kPi / 2)));
    ExpectNear(Named(*scene, "quat").WorldTransform(5 * 160), RotateZMatrix(static_cast<float>(kPi / 4)));
}

TEST(MemoryScene, WorldTransformsMultiplyUpTheHierarchy) {
    auto scene = Load(R"({"nodes": [{"name": "parent",
        "transform": {"position": [10, 0, 0], "rotation": [0, 0, 90], "scale": [2, 2, 2]},
        "children": [{"name": "child", "transform": {"position": [5, 0, 0]},
                      "children": [{"name": "grandchild", "transform": {"scale": [1, 1, -1]}}]}]}]})");
    const Matrix3 parent =
        ScaleMatrix({2, 2, 2}) * RotateZMatrix(static_cast<float>(kPi / 2)) * TransMatrix({10, 0, 0});
    ExpectNear(Named(*scene, "parent").WorldTransform(0), parent);
    ExpectNear(Named(*scene, "child").WorldTransform(0), TransMatrix({5, 0, 0}) * parent);
    ExpectNear(Named(*scene, "grandchild").WorldTransform(0),
               ScaleMatrix({1, 1, -1}) * TransMatrix({5, 0, 0}) * parent);
}

TEST(MemoryScene, PolygonsAreFannedIntoTrianglesAndKeptWhole) {
    auto scene = Load(R"({"nodes": [{"name": "a", "mesh": {
        "vertices": [[0,0,0], [2,0,0], [3,1,0], [1,3,0], [-1,1,0]],
        "tex_vertices": [[0,0], [1,0], [1,1,0.5], [0,1], [0.5,0.5]],
        "faces": [{"position": [0,1,2,3,4], "tex": [4,3,2,1,0], "material_id": 3}]}},
      {"name": "b", "mesh": {"vertices": [[0,0,0], [1,0,0], [0,1,0]], "faces": [[0,1,2]],
                             "polygon_object": false}}]})");
    const HostMesh& mesh = *Named(*scene, "a").Mesh();
    ASSERT_EQ(mesh.Faces().size(), 3u);
    const std::array<std::array<int, 3>, 3> positions{{{0, 1, 2}, {0, 2, 3}, {0, 3, 4}}};
    const std::array<std::array<int, 3>, 3> tex{{{4, 3, 2}, {4, 2, 1}, {4, 1, 0}}};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(mesh.Faces()[i].position, positions[i]);
        EXPECT_EQ(mesh.Faces()[i].tex, tex[i]);
        EXPECT_EQ(mesh.Faces()[i].material_id, 3);
    }
    // Without normals in the document each polygon gets its flat normal.
    ASSERT_EQ(mesh.Normals().size(), 1u);
    EXPECT_EQ(mesh.Normals()[0], (Point3{0, 0, 1}));
    EXPECT_FLOAT_EQ(mesh.TexVertices()[2].z, 0.5f);
    ASSERT_TRUE(mesh.PolygonFaces());
    ASSERT_EQ(mesh.PolygonFaces()->size(), 1u);
    EXPECT_EQ((*mesh.PolygonFaces())[0].vertices, (std::vector<int>{0, 1, 2, 3, 4}));
    EXPECT_EQ((*mesh.PolygonFaces())[0].material_id, 3);
    EXPECT_EQ(Named(*scene, "b").Mesh()->PolygonFaces(), nullptr);
}

TEST(MemoryScene, UserPropertiesReadLikeTheHost) {
    const std::string buffer =
        "Kvs_billboard = Y-Billboard\r\nkvs_no_cut=TRUE\n  spaced key  =  two words \nflag = no\n"
        "odd = maybe\nno equals sign\nKvs_billboard = Billboard";
    EXPECT_EQ(UserPropertyText(buffer, "Kvs_billboard"), "Y-Billboard");
    EXPECT_EQ(UserPropertyText(buffer, "spaced key"), "two words");
    EXPECT_EQ(UserPropertyText(buffer, "missing"), std::nullopt);
    EXPECT_EQ(UserPropertyBool(buffer, "Kvs_no_cut"), true);
    EXPECT_EQ(UserPropertyBool(buffer, "flag"), false);
    EXPECT_EQ(UserPropertyBool(buffer, "odd"), std::nullopt);
    EXPECT_EQ(UserPropertyBool(buffer, "missing"), std::nullopt);

    auto scene = Load(R"({"nodes": [{"name": "a", "user_properties": "Kvs_no_cut = 1\nKvs_billboard = Billboard"}]})");
    EXPECT_EQ(Named(*scene, "a").UserPropertyBool("Kvs_no_cut"), true);
    EXPECT_EQ(Named(*scene, "a").UserPropertyText("Kvs_billboard"), "Billboard");
}

TEST(MemoryScene, ModifiersKeepTheirDataAndSwitch) {
    auto scene = Load(R"({"nodes": [
        {"name": "bone", "id": 40, "object": "bone", "is_bone": true, "transform": {"position": [0, 0, 5]}},
        {"name": "other", "object": "bone_object", "id": 41},
        {"name": "a", "mesh": {"vertices": [[0,0,0], [1,0,0], [0,1,0]], "faces": [[0,1,2]]},
         "modifiers": [
           {"class": "skin", "name": "Skin", "enabled": true,
            "bones": [{"node": 40, "initial_transform": {"position": [1, 2, 3]}}, "other"],
            "weights": [[[0, 0.6], [1, 0.4]], [], [[1, 1]]],
            "initial_skin_transform": {"scale": [2, 2, 2]}},
           {"class": "morpher", "channels": [{"index": 3, "weight": {"keys": [[0, 0], [10, 100]]}}]},
           {"class": "physique", "bones": ["bone"]},
           {"class": "meshsmooth", "name": "SmoothMod", "enabled": false}]},
        {"name": "b", "mesh": {"vertices": [[0,0,0]]}, "modifiers": [{"class": "skin"}]}]})");
    const MemoryNode& a = Named(*scene, "a");
    const std::vector<HostModifier*> stack = a.Modifiers();
    ASSERT_EQ(stack.size(), 4u);

    const HostSkin& skin = *stack[0]->Skin();
    EXPECT_EQ(skin.BoneCount(1), 0);
    EXPECT_EQ(skin.Bones(), (std::vector<HostNode*>{&Named(*scene, "bone"), &Named(*scene, "other")}));
    EXPECT_EQ(skin.InitialBoneTransform(&Named(*scene, "bone")), TransMatrix({1, 2, 3}));
    EXPECT_EQ(skin.InitialBoneTransform(&Named(*scene, "other")), Matrix3::Identity());
    EXPECT_EQ(skin.InitialSkinTransform(), ScaleMatrix({2, 2, 2}));
    EXPECT_EQ(Named(*scene, "b").Modifiers()[0]->Skin()->BoneCount(0), -1);  // a skin with no bones

    EXPECT_FLOAT_EQ(stack[1]->Morpher()->ChannelValue(3, 5 * 160), 50.0f);
    EXPECT_FLOAT_EQ(stack[1]->Morpher()->ChannelValue(4, 5 * 160), 0.0f);
    EXPECT_EQ(stack[2]->PhysiqueInitialTransform(&Named(*scene, "bone")), TransMatrix({0, 0, 5}));
    EXPECT_EQ(stack[2]->PhysiqueInitialTransform(&Named(*scene, "other")), std::nullopt);
    EXPECT_FALSE(stack[3]->Enabled());
}

TEST(MemoryScene, BuiltInCodeGetsFreeIdsAndLinks) {
    MemoryScene scene;
    MemoryNode& a = scene.AddNode(nullptr, "a");
    MemoryNode& b = scene.AddNode(&a, "b");
    b.id = 1;
    MemoryNode& c = scene.AddNode(&a, "c");
    c.mesh = std::make_unique<MemoryMesh>();
    c.mesh->vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    c.mesh->polygons.push_back(MemoryPolygon{{0, 1, 2, 3}, {}, {}, {}, 0});
    scene.Link();
    EXPECT_EQ((std::vector<int>{a.Id(), c.Id()}), (std::vector<int>{2, 3}));
    EXPECT_EQ(scene.NodeById(3), &c);
    scene.Link();  // linking again changes nothing
    EXPECT_EQ(c.Mesh()->Normals().size(), 1u);
    EXPECT_EQ(c.Mesh()->Faces().size(), 2u);
}

}  // namespace
}  // namespace korvo
