#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::GltfTest;

constexpr float kTolerance = 1e-5f;

TEST_F(GltfTest, NodesKeepNamesExtrasAndVisibilityOfTheDefaultScene) {
    MemoryScene& host = Load(file.Gltf(R"(
        "scene": 1,
        "scenes": [{"nodes": [0]}, {"nodes": [1, 2]}],
        "nodes": [
          {"name": "Elsewhere"},
          {"extras": {"Kvs_billboard": "Y-Billboard", "Kvs_no_cut": true, "weight": 2.5, "list": [1]},
           "extensions": {"KHR_node_visibility": {"visible": false}}, "children": [3]},
          {"name": "Shown"},
          {"name": "Inner", "extensions": {"KHR_node_visibility": {"visible": true}}}])"));

    ASSERT_EQ(host.root().children.size(), 2u);
    EXPECT_EQ(host.root().children[0]->name, "node_1");
    EXPECT_EQ(host.root().children[1]->name, "Shown");
    EXPECT_EQ(host.nodes.size(), 4u);  // the root, node_1, Inner, Shown; not Elsewhere
    const MemoryNode& unnamed = *host.root().children[0];
    EXPECT_EQ(unnamed.UserPropertyText("Kvs_billboard"), "Y-Billboard");
    EXPECT_EQ(unnamed.UserPropertyBool("Kvs_no_cut"), true);
    EXPECT_EQ(unnamed.UserPropertyText("weight"), "2.5");
    EXPECT_EQ(unnamed.UserPropertyText("list"), std::nullopt);
    // A hidden node hides everything below it.
    EXPECT_EQ(unnamed.Visibility(0), 0.0f);
    EXPECT_EQ(Node("Inner")->Visibility(0), 0.0f);
    EXPECT_EQ(Node("Shown")->Visibility(0), 1.0f);
    EXPECT_EQ(Node("Shown")->GetObjectType(), ObjectType::Helper);
}

TEST_F(GltfTest, CamerasAndLightsAreHostCamerasAndLights) {
    Load(file.Gltf(R"(
        "extensionsUsed": ["KHR_lights_punctual"],
        "extensions": {"KHR_lights_punctual": {"lights": [{"type": "directional", "color": [1, 0.5, 0]},
                                                          {"type": "point"}]}},
        "cameras": [{"type": "perspective", "perspective": {"yfov": 0.8, "znear": 0.5, "aspectRatio": 1.5}},
                    {"type": "orthographic", "orthographic": {"xmag": 4, "ymag": 2, "znear": 1, "zfar": 50}}],
        "scenes": [{"nodes": [0, 1, 2, 3]}],
        "nodes": [
          {"name": "Eye", "camera": 0},
          {"name": "Plan", "camera": 1},
          {"name": "Sun", "rotation": [-0.70710678, 0, 0, 0.70710678], "scale": [1, 2, 3],
           "extensions": {"KHR_lights_punctual": {"light": 0}}},
          {"name": "Lamp", "children": [4], "extensions": {"KHR_lights_punctual": {"light": 1}}},
          {"name": "Shade"}])"));

    // Perspective values and the camera's and sun's directions are checked
    // in the scene data file; here what it does not show.
    EXPECT_FLOAT_EQ(Node("Eye")->Camera()->FarClip(0), 1000.0f);  // glTF's infinite far plane
    const HostCamera& plan = *Node("Plan")->Camera();
    EXPECT_TRUE(plan.Orthographic());
    EXPECT_FLOAT_EQ(plan.OrthoWidth(0), 8.0f);
    EXPECT_FLOAT_EQ(plan.OrthoHeight(0), 4.0f);
    EXPECT_FLOAT_EQ(plan.Aspect(), 2.0f);
    EXPECT_FLOAT_EQ(plan.FarClip(0), 50.0f);
    // The turn only renames the light's axes: host Y is glTF Y (scale 2),
    // host Z is glTF Z (scale 3).
    const Matrix3 sun = Node("Sun")->WorldTransform(0);
    EXPECT_NEAR(Length(sun.rows[0]), 1.0f, kTolerance);
    EXPECT_NEAR(Length(sun.rows[1]), 2.0f, kTolerance);
    EXPECT_NEAR(Length(sun.rows[2]), 3.0f, kTolerance);

    // A light on a node with children hangs on a node of its own.
    EXPECT_EQ(Node("Lamp")->GetObjectType(), ObjectType::Helper);
    MemoryNode& lamp_light = *Node("Lamp_light");
    EXPECT_EQ(lamp_light.parent, Node("Lamp"));
    EXPECT_EQ(lamp_light.Light()->Type(), 0);
    // glTF +Z is host -Y.
    EXPECT_NEAR(Length(lamp_light.WorldTransform(0).rows[2] - Point3{0, -1, 0}), 0.0f, kTolerance);
}

TEST_F(GltfTest, BrokenHierarchiesAreErrors) {
    const std::pair<const char*, const char*> cases[] = {
        {R"("nodes": [{"children": [1]}, {"children": [0]}], "scenes": [{"nodes": [0]}])",
         "scenes[0].nodes: node 0 is a child of node 1, not a root"},
        {R"("nodes": [{"children": [2]}, {"children": [2]}, {}], "scenes": [{"nodes": [0, 1]}])",
         "nodes[1].children: node 2 has a second parent"},
        {R"("nodes": [{"children": [1]}, {}], "scenes": [{"nodes": [0, 1]}])",
         "scenes[0].nodes: node 1 is a child of node 0, not a root"},
        {R"("nodes": [{"children": [7]}])", "node 7 does not exist (the file has 1)"},
        {R"("nodes": [{"mesh": 0}])", "nodes[0].mesh: mesh 0 does not exist"},
    };
    for (const auto& [body, expected] : cases) EXPECT_TRUE(test::Contains(ErrorOf(file.Gltf(body)), expected));
}

}  // namespace
}  // namespace korvo
