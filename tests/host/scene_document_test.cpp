#include "host/document/scene_document.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numbers>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "host/memory/memory_material.h"
#include "host/memory/memory_scene.h"
#include "host/memory/user_properties.h"
#include "host/gltf/gltf_test_file.h"
#include "support/test_support.h"

namespace korvo {
namespace {

std::unique_ptr<MemoryScene> Load(const std::string& text) {
    std::string error;
    auto scene = LoadSceneDocumentText(text, "scene.json", &error);
    EXPECT_TRUE(scene) << error;
    return scene;
}

std::string ErrorOf(const std::string& text) {
    std::string error;
    auto scene = LoadSceneDocumentText(text, "scene.json", &error);
    EXPECT_FALSE(scene) << "loaded: " << text;
    return error;
}

MemoryNode* Named(const MemoryScene& scene, const std::string& name) {
    for (const auto& node : scene.nodes) {
        if (node->name == name) return node.get();
    }
    ADD_FAILURE() << "no node " << name;
    return nullptr;
}

void ExpectNear(const Matrix3& actual, const Matrix3& expected) {
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_NEAR(actual.rows[r][c], expected.rows[r][c], 1e-5) << "row " << r << " column " << c;
    }
}

// What the loader makes of each part of the example; extraction tests
// run the same kinds of records through the pipeline.
TEST(SceneDocument, LoadsTheExample) {
    const std::string path = test::SourcePath("examples/simple.json");
    std::string error;
    auto scene = LoadSceneDocument(path, &error);
    ASSERT_TRUE(scene) << error;

    EXPECT_EQ(scene->FileName(), "simple.max");
    EXPECT_EQ(scene->FilePath(), path.substr(0, path.size() - std::string("simple.json").size()) + "simple.max");
    EXPECT_EQ((std::vector<TimeValue>{scene->TicksPerFrame(), scene->AnimationStart(), scene->AnimationEnd()}),
              (std::vector<TimeValue>{160, 0, 30 * 160}));
    std::vector<std::string> top;
    for (HostNode* node : scene->Root()->Children()) top.push_back(node->Name());
    EXPECT_EQ(top, (std::vector<std::string>{"Ground", "Rig", "Sun", "Camera", "Camera.Target"}));
    EXPECT_EQ(Named(*scene, "Ground")->Mesh()->PolygonFaces()->size(), 3u);

    const MemoryNode* arm = Named(*scene, "Arm");
    ASSERT_TRUE(arm && arm->Modifiers().size() == 1);
    HostSkin* skin = arm->Modifiers()[0]->Skin();
    ASSERT_TRUE(skin);
    // Without initial transforms the skin gives the world transforms at the start.
    EXPECT_EQ(*skin->InitialBoneTransform(Named(*scene, "Bone02")), Named(*scene, "Bone02")->WorldTransform(0));
    EXPECT_FALSE(skin->InitialBoneTransform(arm));
    EXPECT_EQ(*skin->InitialSkinTransform(), arm->WorldTransform(0));

    EXPECT_EQ(Named(*scene, "Camera")->Camera()->Target(), Named(*scene, "Camera.Target"));
    EXPECT_EQ(scene->SelectedNodes(), std::vector<HostNode*>{Named(*scene, "Arm")});
    // Ids are generated in document order.
    EXPECT_EQ(scene->NodeById(1), Named(*scene, "Ground"));
    EXPECT_EQ(scene->NodeById(5), arm);
}

TEST(SceneDocument, LinksMaterialsMapsAndDefaults) {
    auto scene = Load(R"({
        "texture_maps": [{"name": "Checker", "file_name": "tex/checker.tga", "u_mirror": true, "v_repeat": false,
                          "u_tiling": {"keys": [[0, 1], [10, 3]]}}],
        "materials": [
          {"class": "multi", "name": "Multi", "sub_materials": [
            {"class": "korvo_standard", "name": "A", "diffuse_map": "Checker", "maps": [{"class": "noise"}],
             "properties": {"fogOn": true, "tex_effect_mtx_0_1": 0.25, "polyID": 2.9}},
            {"class": "korvo_standard", "name": "B", "delegate": {"class": "standard", "name": "B std"}},
            {"class": "korvo_morpher", "name": "M", "sub_materials": [
              {"class": "standard", "name": "M0", "diffuse_map": "Checker"},
              {"class": "standard", "name": "Base"}]}]},
          {"class": "korvo_standard", "name": "C", "delegate": null}],
        "nodes": [{"name": "a", "material": "Base", "mesh": {"vertices": [[0,0,0]]},
                   "modifiers": [{"class": "skin", "bones": ["a"]}]},
                  {"name": "b", "object": "camera", "camera": {"projection": "orthographic", "ortho_width": 8}}]})");
    ASSERT_EQ(scene->RootMaterials().size(), 2u);
    const HostMaterial& multi = *scene->RootMaterials()[0];
    ASSERT_TRUE(multi.IsMulti() && multi.SubMaterialCount() == 3);
    const HostMaterial& a = *multi.SubMaterial(0);
    EXPECT_EQ(a.TexmapCount(), 2);
    EXPECT_EQ(a.PropertyInt("fogOn"), 1);
    EXPECT_EQ(a.PropertyInt("polyID"), 2);
    EXPECT_FLOAT_EQ(*a.PropertyFloat("tex_effect_mtx_0_1"), 0.25f);

    // One named map shared by two materials.
    const HostTexmap& checker = *a.DiffuseMap();
    EXPECT_EQ(multi.SubMaterial(2)->SubMaterial(0)->DiffuseMap(), &checker);
    EXPECT_EQ(checker.Generator().tiling_flags, UvGenerator::kURepeat | UvGenerator::kUMirror);

    EXPECT_EQ(multi.SubMaterial(1)->Delegate()->Name(), "B std");
    EXPECT_EQ(scene->RootMaterials()[1]->Delegate(), nullptr);
    const HostNode& node = *scene->Root()->Children()[0];
    EXPECT_EQ(node.Material(), multi.SubMaterial(2)->SubMaterial(1));
    EXPECT_EQ(node.Modifiers()[0]->Skin()->VertexCount(), 1);
    EXPECT_EQ(node.Modifiers()[0]->Skin()->BoneCount(0), 0);
    const HostCamera& camera = *scene->Root()->Children()[1]->Camera();
    EXPECT_TRUE(camera.Orthographic());
    EXPECT_FLOAT_EQ(camera.OrthoWidth(0), 8.0f);

    // Without a file name the scene is named after the document.
    EXPECT_EQ(scene->FileName(), "scene.json");
    EXPECT_EQ(scene->FilePath(), "scene.json");
    EXPECT_EQ(scene->AnimationEnd(), 100 * 160);
}

TEST(SceneDocument, ReportsEachErrorWithFileAndPlace) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {R"({"nodes": [{"name": 12}]})", "$.nodes[0].name: expected a string, found 12"},
        {R"({"nodes": [{"hidden": true}]})", "$.nodes[0]: missing required key \"name\""},
        {R"({"nodes": [{"name": "a", "hiden": true}]})", "$.nodes[0].hiden: unknown key"},
        {R"({"nodes": [{"name": "a", "name": "b"}]})", "$.nodes[0].name: duplicate key"},
        {R"({"nodes": [{"name": "a", "object": "box"}]})",
         "$.nodes[0].object: unknown object \"box\"; expected one of mesh, helper, bone_object, bone, ik_chain, "
         "light, camera, target, nurbs_curve, nurbs_surface, nurbs_object"},
        {R"({"nodes": [{"name": "a", "material": "Red"}]})", "$.nodes[0].material: no material named \"Red\""},
        {R"({"materials": [{"class": "standard", "name": "M", "diffuse_map": "Bricks"}]})",
         "$.materials[0].diffuse_map: no texture map named \"Bricks\""},
        {R"({"nodes": [{"name": "cam", "object": "camera", "camera": {"target": "cam.Target"}}]})",
         "$.nodes[0].camera.target: no node named \"cam.Target\""},
        {R"({"selection": [7], "nodes": [{"name": "a"}]})", "$.selection[0]: no node with id 7"},
        {R"({"selection": ["a"], "nodes": [{"name": "a"}, {"name": "a"}]})",
         "$.selection[0]: node name \"a\" is ambiguous (2 nodes); refer to the node by its id"},
        {R"({"nodes": [{"name": "a", "id": 3}, {"name": "b", "children": [{"name": "c", "id": 3}]}]})",
         "$.nodes[1].children[0].id: duplicate node id 3 (also at $.nodes[0].id)"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0],[0,1,0],[1,1,0]],
             "faces": [[0,1,2], [1,3,2], {"position": [0, 7, 1]}]}}]})",
         "$.nodes[0].mesh.faces[2].position[1]: index 7 out of range (the mesh has 4 vertices)"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0],[0,1,0]], "tex_vertices": [[0,0]],
             "faces": [{"position": [0, 1, 2], "tex": [0, 0, 1]}]}}]})",
         "$.nodes[0].mesh.faces[0].tex[2]: index 1 out of range (the mesh has 1 texture vertex)"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0],[0,1,0]], "normals": [[0,0,1]],
             "faces": [{"position": [0, 1, 2], "normal": [0, 0]}]}}]})",
         "$.nodes[0].mesh.faces[0].normal: has 2 corners, \"position\" has 3"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0],[0,1,0]], "color_vertices": [[1,0,0]],
             "faces": [[0, 1, 2]]}}]})",
         "$.nodes[0].mesh.faces[0]: missing \"color\" indices (the mesh has color vertices); give the face as an "
         "object"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0]], "faces": [[0, 1]]}}]})",
         "$.nodes[0].mesh.faces[0]: a face needs at least 3 corners, found 2"},
        {R"({"nodes": [{"name": "b"}, {"name": "a", "mesh": {"vertices": [[0,0,0],[1,0,0]]},
             "modifiers": [{"class": "skin", "bones": ["b"], "weights": [[[0, 1]]]}]}]})",
         "$.nodes[1].modifiers[0].weights: the skin has 1 vertex, the mesh has 2 vertices"},
        {R"({"nodes": [{"name": "b"}, {"name": "a", "mesh": {"vertices": [[0,0,0]]},
             "modifiers": [{"class": "skin", "bones": ["b"], "weights": [[[1, 1]]]}]}]})",
         "$.nodes[1].modifiers[0].weights[0][0][0]: bone 1 out of range (the skin has 1 bone)"},
        {R"({"nodes": [{"name": "a", "mesh": {"vertices": [[0,0,0]]},
             "modifiers": [{"class": "skin", "bones": ["c"], "weights": [[[0, 1]]]}]}]})",
         "$.nodes[0].modifiers[0].bones[0]: no node named \"c\""},
        {R"({"nodes": [{"name": "b"}, {"name": "a", "mesh": {"vertices": [[0,0,0]]},
             "modifiers": [{"class": "Skin", "bones": ["b"], "weights": [[[0, -0.5]]]}]}]})",
         "$.nodes[1].modifiers[0].weights[0][0][1]: weight -0.5 is negative"},
        {R"({"nodes": [{"name": "a", "modifiers": [{"class": "skin"}]}]})",
         "$.nodes[0].modifiers[0]: a skin needs a node with a mesh"},
        {R"({"nodes": [{"name": "a",
             "modifiers": [{"class": "morpher", "channels": [{"index": 100, "weight": 5}]}]}]})",
         "$.nodes[0].modifiers[0].channels[0].index: 100 is out of range 0..99"},
        {R"({"nodes": [{"name": "a", "transform": {"position": [0, 1e39, 0]}}]})",
         "$.nodes[0].transform.position[1]: number 1e+39 does not fit a float"},
        {R"({"nodes": [{"name": "a", "visibility": {"keys": [[0, 1], [10, 0], [5, 1]]}}]})",
         "$.nodes[0].visibility.keys[2][0]: frame 5 does not follow frame 10; key frames must increase"},
        {R"({"nodes": [{"name": "a", "transform": {"rotation": [0, 0, 0], "quaternion": [0, 0, 0, 1]}}]})",
         "$.nodes[0].transform: give \"rotation\" or \"quaternion\", not both"},
        {R"({"nodes": [{"name": "a", "object": "helper", "mesh": {}}]})",
         "$.nodes[0].mesh: a node with object \"helper\" cannot have a mesh"},
        {R"({"materials": [{"class": "standard", "name": "M", "delegate": null}]})",
         "$.materials[0].delegate: only a \"korvo_standard\" material has a delegate"},
        {R"({"materials": [{"class": "standard", "name": "M"}, {"class": "multi", "name": "X",
             "sub_materials": [{"class": "standard", "name": "M"}]}], "nodes": [{"name": "a", "material": "M"}]})",
         "$.nodes[0].material: material name \"M\" is ambiguous (2 materials)"},
        {R"({"texture_maps": [{"name": "T"}, {"name": "T"}]})",
         "$.texture_maps[1].name: duplicate texture map name \"T\" (also at $.texture_maps[0].name)"},
        {R"({"start_frame": 10, "end_frame": 5})", "$.end_frame: end frame 5 is before start frame 10"},
        {R"({"ticks_per_frame": 4800, "end_frame": 1000000})",
         "$.end_frame: frame 1000000 at 4800 ticks per frame is outside the host's time range"},
        {R"({"stored_settings": {"hex": "00ff"}})", "$.stored_settings.hex: the settings block is 924 bytes, found 2"},
        {R"({"stored_settings": {"base64": "AA#A"}})",
         "$.stored_settings.base64: character 3 ('#') is not a base64 digit"},
        {R"({"file_name": "scenes/a.max"})", "$.file_name: a file name without folder is expected"},
        {R"([])", "$: expected an object, found an array"},
        // Syntax errors name the line and column.
        {"{\n  \"nodes\": [\n    {\"name\": \"a\",}\n  ]\n}",
         "line 3, column 18: syntax error while parsing object key - unexpected '}'; expected string literal"},
        {"{\"a\": NaN}", "line 1, column 7: syntax error while parsing value - invalid literal; last read: '\"a\": N'"},
        {"{\"ticks_per_frame\": 1e400}", "number overflow parsing '1e400'"},
        {"", "line 1, column 1: syntax error while parsing value - unexpected end of input; expected '[', '{', or a "
             "literal"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ErrorOf(text), "scene.json: " + expected);
    }
}

TEST(SceneDocument, RejectsDeepNestingWithoutExhaustingTheStack) {
    std::string text = "{\"nodes\": [";
    for (int i = 0; i < 300; ++i) text += "{\"name\": \"n\", \"children\": [";
    for (int i = 0; i < 300; ++i) text += "]}";
    text += "]}";
    const std::string error = ErrorOf(text);
    EXPECT_NE(error.find(": nodes nested deeper than 256 levels"), std::string::npos) << error;

    // Deep JSON that is not a scene at all is only a wrong type.
    EXPECT_EQ(ErrorOf("{\"nodes\": " + std::string(100000, '[') + std::string(100000, ']') + "}"),
              "scene.json: $.nodes[0]: expected an object, found an array");
}

TEST(SceneDocument, ReportsAFileThatCannotBeOpened) {
    test::TempDir dir;
    std::string error;
    EXPECT_FALSE(LoadSceneDocument(dir.file("missing.json"), &error));
    EXPECT_EQ(error, dir.file("missing.json") + ": cannot open the file");
}

TEST(SceneDocument, ReadsStoredSettingsAsHexOrBase64) {
    std::string hex, base64;
    std::vector<uint8_t> block(924);
    for (std::size_t i = 0; i < block.size(); ++i) block[i] = static_cast<uint8_t>(i * 7);
    const char* digits = "0123456789abcdef";
    for (uint8_t byte : block) hex += std::string{digits[byte >> 4], digits[byte & 15]};
    base64 = test::Base64(std::string(block.begin(), block.end()));
    EXPECT_EQ(Load(R"({"stored_settings": {"hex": ")" + hex + "\"}}")->StoredSettings(), block);
    EXPECT_EQ(Load(R"({"stored_settings": {"base64": ")" + base64 + "\"}}")->StoredSettings(), block);
}

// Replaces one to three JSON literals of the text (offsets and lengths in
// literals) by other values: the JSON stays valid and reaches the readers.
std::string SwapValues(std::string text, const std::vector<std::pair<std::size_t, std::size_t>>& literals,
                       std::mt19937& random) {
    const std::vector<std::string> kValues = {"-1",         "0",       "1",         "3",        "7",
                                              "100",        "0.5",     "-0.5",      "1e39",     "99999999999",
                                              "\"Bone01\"", "\"Arm\"", "\"x\"",     "\"mesh\"", "\"skin\"",
                                              "[]",         "{}",      "[0, 1, 2]", "[[0, 1]]", "{\"keys\": []}",
                                              "null",       "true",    "false"};
    std::vector<std::size_t> picks;
    for (int n = 1 + static_cast<int>(random() % 3); n > 0; --n) picks.push_back(random() % literals.size());
    // Later literals first, so earlier offsets stay valid.
    std::sort(picks.rbegin(), picks.rend());
    picks.erase(std::unique(picks.begin(), picks.end()), picks.end());
    for (std::size_t pick : picks) {
        text.replace(literals[pick].first, literals[pick].second, kValues[random() % kValues.size()]);
    }
    return text;
}

// Flips, deletes, duplicates bytes or truncates: mostly trips the parser.
std::string DamageBytes(std::string text, std::mt19937& random) {
    const std::string likely = "{}[]\",:0123456789-.eE truefalsnul\\u\n";
    for (int n = 1 + static_cast<int>(random() % 3); n > 0 && !text.empty(); --n) {
        const std::size_t at = random() % text.size();
        const unsigned kind = random() % 5;
        if (kind == 0) text[at] = static_cast<char>(random() % 256);
        if (kind == 1) text[at] = likely[random() % likely.size()];
        if (kind == 2) text.erase(at, 1 + random() % 8);
        if (kind == 3) text.insert(at, text.substr(at, 1 + random() % 16));
        if (kind == 4) text.resize(at);
    }
    return text;
}

// Damage to the example must never crash or hang the loader: it either
// loads or says what is wrong in one line naming the file.
TEST(SceneDocument, SurvivesDamagedDocuments) {
    const std::string original = test::ReadFile(test::SourcePath("examples/simple.json"));
    std::vector<std::pair<std::size_t, std::size_t>> literals;
    const std::regex literal(R"("[^"\\]*"|-?[0-9][0-9.eE+-]*|true|false|null)");
    for (auto it = std::sregex_iterator(original.begin(), original.end(), literal); it != std::sregex_iterator();
         ++it) {
        literals.emplace_back(it->position(), it->length());
    }
    std::mt19937 random(20090708);
    int loaded = 0, failed_after_parsing = 0;
    for (int round = 0; round < 2000; ++round) {
        const std::string text = round % 2 ? DamageBytes(original, random) : SwapValues(original, literals, random);
        std::string error;
        if (LoadSceneDocumentText(text, "scene.json", &error)) {
            ++loaded;
            continue;
        }
        EXPECT_EQ(error.rfind("scene.json: ", 0), 0u) << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << error;
        if (error.rfind("scene.json: $", 0) == 0) ++failed_after_parsing;
    }
    EXPECT_GT(loaded, 50);
    EXPECT_GT(failed_after_parsing, 300);
}

// Interpolation at whole frames is also seen through extraction; here the
// times between frames and outside the keys, and the host's defaults.
TEST(SceneDocument, TracksHoldOutsideTheirKeysAndInterpolateBetween) {
    auto scene = Load(R"({"ticks_per_frame": 80, "nodes": [{"name": "a",
        "visibility": {"keys": [[2, 0], [12, 1]]},
        "transform": {"position": {"keys": [[0, [0, 0, 0]], [10, [10, -20, 4]]]}}}],
        "materials": [{"class": "standard", "name": "m", "opacity": 0.5, "diffuse_map": {"w_angle": -90}}]})");
    const MemoryNode& a = *Named(*scene, "a");
    EXPECT_EQ((std::vector<float>{a.Visibility(kTimeNegInfinity), a.Visibility(7 * 80), a.Visibility(100 * 80)}),
              (std::vector<float>{0.0f, 0.5f, 1.0f}));
    EXPECT_FLOAT_EQ(a.Visibility(7 * 80 + 8), 0.51f);  // a tenth of a frame
    EXPECT_EQ(a.WorldTransform(5 * 80).GetTrans(), (Point3{5, -10, 2}));

    const HostMaterial& m = *scene->RootMaterials()[0];
    EXPECT_FLOAT_EQ(m.Opacity(12345), 0.5f);
    EXPECT_FLOAT_EQ(m.Specular(0).r, 0.9f);  // the host's default
    EXPECT_NEAR(m.DiffuseMap()->WAngle(0), -std::numbers::pi / 2, 1e-6);
    EXPECT_TRUE(m.DiffuseMap()->IsBitmap());
}

TEST(SceneDocument, RotationKeysInterpolateAlongTheShorterArc) {
    auto scene = Load(R"({"nodes": [
        {"name": "euler", "transform": {"rotation": {"keys": [[0, [0, 0, 0]], [10, [0, 0, 90]]]}}},
        {"name": "quat", "transform": {"quaternion": {"keys": [[0, [0, 0, 0, 1]],
                                                               [10, [0, 0, -0.70710678, -0.70710678]]]}}}]})");
    const float eighth = std::numbers::pi_v<float> / 4;
    ExpectNear(Named(*scene, "euler")->WorldTransform(5 * 160), RotateZMatrix(eighth));
    ExpectNear(Named(*scene, "euler")->WorldTransform(10 * 160), RotateZMatrix(2 * eighth));
    ExpectNear(Named(*scene, "quat")->WorldTransform(5 * 160), RotateZMatrix(eighth));
}

TEST(SceneDocument, WorldTransformsMultiplyUpTheHierarchy) {
    auto scene = Load(R"({"nodes": [{"name": "parent",
        "transform": {"position": [10, 0, 0], "rotation": [0, 0, 90], "scale": [2, 2, 2]},
        "children": [{"name": "child", "transform": {"position": [5, 0, 0]},
                      "children": [{"name": "grandchild", "transform": {"scale": [1, 1, -1]}}]}]}]})");
    const Matrix3 parent =
        ScaleMatrix({2, 2, 2}) * RotateZMatrix(std::numbers::pi_v<float> / 2) * TransMatrix({10, 0, 0});
    ExpectNear(Named(*scene, "parent")->WorldTransform(0), parent);
    ExpectNear(Named(*scene, "child")->WorldTransform(0), TransMatrix({5, 0, 0}) * parent);
    ExpectNear(Named(*scene, "grandchild")->WorldTransform(0),
               ScaleMatrix({1, 1, -1}) * TransMatrix({5, 0, 0}) * parent);
}

TEST(SceneDocument, PolygonsAreFannedIntoTrianglesAndKeptWhole) {
    auto scene = Load(R"({"nodes": [{"name": "a", "mesh": {
        "vertices": [[0,0,0], [2,0,0], [3,1,0], [1,3,0], [-1,1,0]],
        "tex_vertices": [[0,0], [1,0], [1,1,0.5], [0,1], [0.5,0.5]],
        "faces": [{"position": [0,1,2,3,4], "tex": [4,3,2,1,0], "material_id": 3}]}},
      {"name": "b", "mesh": {"vertices": [[0,0,0], [1,0,0], [0,1,0]], "faces": [[0,1,2]],
                             "polygon_object": false}}]})");
    const HostMesh& mesh = *Named(*scene, "a")->Mesh();
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
    EXPECT_EQ(Named(*scene, "b")->Mesh()->PolygonFaces(), nullptr);
}

TEST(SceneDocument, UserPropertiesReadLikeTheHost) {
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
    EXPECT_EQ(Named(*scene, "a")->UserPropertyBool("Kvs_no_cut"), true);
    EXPECT_EQ(Named(*scene, "a")->UserPropertyText("Kvs_billboard"), "Billboard");
}

TEST(SceneDocument, ModifiersKeepTheirDataAndSwitch) {
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
    const MemoryNode& a = *Named(*scene, "a");
    const std::vector<HostModifier*> stack = a.Modifiers();
    ASSERT_EQ(stack.size(), 4u);

    const HostSkin& skin = *stack[0]->Skin();
    EXPECT_EQ(skin.BoneCount(1), 0);
    EXPECT_EQ(skin.Bones(), (std::vector<HostNode*>{Named(*scene, "bone"), Named(*scene, "other")}));
    EXPECT_EQ(skin.InitialBoneTransform(Named(*scene, "bone")), TransMatrix({1, 2, 3}));
    EXPECT_EQ(skin.InitialBoneTransform(Named(*scene, "other")), Matrix3::Identity());
    EXPECT_EQ(skin.InitialSkinTransform(), ScaleMatrix({2, 2, 2}));
    EXPECT_EQ(Named(*scene, "b")->Modifiers()[0]->Skin()->BoneCount(0), -1);  // a skin with no bones

    EXPECT_FLOAT_EQ(stack[1]->Morpher()->ChannelValue(3, 5 * 160), 50.0f);
    EXPECT_FLOAT_EQ(stack[1]->Morpher()->ChannelValue(4, 5 * 160), 0.0f);
    EXPECT_EQ(stack[2]->PhysiqueInitialTransform(Named(*scene, "bone")), TransMatrix({0, 0, 5}));
    EXPECT_EQ(stack[2]->PhysiqueInitialTransform(Named(*scene, "other")), std::nullopt);
    EXPECT_FALSE(stack[3]->Enabled());
}

TEST(SceneDocument, BuiltInCodeGetsFreeIdsAndLinks) {
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
