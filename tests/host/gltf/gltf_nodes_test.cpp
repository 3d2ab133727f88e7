#include <cmath>

#include "host/gltf/gltf_loader.h"
#include "host/scene_wrapper.h"

namespace korvo {
namespace {

using test::GltfTest;

constexpr float kTolerance = 1e-5f;

void ExpectNear(Point3 actual, Point3 expected) {
    EXPECT_NEAR(actual.x, expected.x, kTolerance);
    EXPECT_NEAR(actual.y, expected.y, kTolerance);
    EXPECT_NEAR(actual.z, expected.z, kTolerance);
}

// The exporter turns the host's Z-up world into Y-up itself; after that
// turn every position must be the glTF one.
TEST_F(GltfTest, TheExportedAxesAreTheGltfAxes) {
    const int triangle = file.Floats({1, 0, 0, 0, 1, 0, 0, 0, 1}, "VEC3");
    Load(file.Gltf(
        R"("scenes": [{"nodes": [0, 2]}],
           "nodes": [
             {"name": "Parent", "translation": [1, 2, 3], "rotation": [0, 0.70710678, 0, 0.70710678],
              "scale": [2, 2, 2], "children": [1]},
             {"name": "Child", "translation": [0, 1, 0], "mesh": 0},
             {"name": "Up", "matrix": [1,0,0,0, 0,1,0,0, 0,0,1,0, 0,1,0,1]}],
           "meshes": [{"primitives": [{"attributes": {"POSITION": )" +
        std::to_string(triangle) + "}}]}]"));

    // glTF (0, 1, 0) is the host's (0, 0, 1): up in both.
    ExpectNear(Node("Up")->WorldTransform(0).GetTrans(), Point3{0, 0, 1});
    ExpectNear(ZUpToYUp(Node("Up")->WorldTransform(0)).GetTrans(), Point3{0, 1, 0});

    // Child origin: (1,2,3) + Ry(90)(0,2,0) = (1,4,3); its vertex (1,0,0):
    // (1,2,3) + Ry(90)(2,2,0) = (1,4,1).
    const Matrix3 child = Node("Child")->WorldTransform(0);
    ExpectNear(ZUpToYUp(child).GetTrans(), Point3{1, 4, 3});
    const Point3 vertex = Node("Child")->mesh->vertices[0] * child;
    ExpectNear(vertex, Point3{1, -1, 4});
    ExpectNear(vertex * RotateXMatrix(-1.5707964f), Point3{1, 4, 1});
}

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

    const HostCamera& eye = *Node("Eye")->Camera();
    EXPECT_FALSE(eye.Orthographic());
    EXPECT_FLOAT_EQ(eye.FieldOfView(0), 0.8f);
    EXPECT_FLOAT_EQ(eye.Aspect(), 1.5f);
    EXPECT_FLOAT_EQ(eye.NearClip(0), 0.5f);
    EXPECT_FLOAT_EQ(eye.FarClip(0), 1000.0f);  // glTF's infinite far plane
    // A glTF camera looks down its -Z, the host's +Y; a host camera looks
    // down its own -Z, so the host node's Z axis must be the host's -Y.
    ExpectNear(Normalize(Node("Eye")->WorldTransform(0).rows[2]), Point3{0, -1, 0});
    const HostCamera& plan = *Node("Plan")->Camera();
    EXPECT_TRUE(plan.Orthographic());
    EXPECT_FLOAT_EQ(plan.OrthoWidth(0), 8.0f);
    EXPECT_FLOAT_EQ(plan.OrthoHeight(0), 4.0f);
    EXPECT_FLOAT_EQ(plan.Aspect(), 2.0f);
    EXPECT_FLOAT_EQ(plan.FarClip(0), 50.0f);

    // The sun shines down (glTF -Z turned to -Y); a host light shines down
    // its -Z axis, so the host node's Z axis must point up.
    MemoryNode& sun = *Node("Sun");
    ASSERT_EQ(sun.GetObjectType(), ObjectType::Light);
    EXPECT_EQ(sun.Light()->Type(), HostLight::kDirectional);
    EXPECT_FLOAT_EQ(sun.Light()->Color(0)->g, 0.5f);
    const Matrix3 world = sun.WorldTransform(0);
    ExpectNear(Normalize(world.rows[2]), Point3{0, 0, 1});
    // The turn only renames the light's axes: host Y is glTF Y (scale 2),
    // host Z is glTF Z (scale 3).
    EXPECT_NEAR(Length(world.rows[0]), 1.0f, kTolerance);
    EXPECT_NEAR(Length(world.rows[1]), 2.0f, kTolerance);
    EXPECT_NEAR(Length(world.rows[2]), 3.0f, kTolerance);

    // A light on a node with children hangs on a node of its own.
    EXPECT_EQ(Node("Lamp")->GetObjectType(), ObjectType::Helper);
    MemoryNode& lamp_light = *Node("Lamp_light");
    EXPECT_EQ(lamp_light.parent, Node("Lamp"));
    EXPECT_EQ(lamp_light.Light()->Type(), 0);
    ExpectNear(lamp_light.WorldTransform(0).rows[2], Point3{0, -1, 0});  // glTF +Z is host -Y
}

TEST_F(GltfTest, BrokenHierarchiesAreErrors) {
    EXPECT_NE(ErrorOf(file.Gltf(R"("nodes": [{"children": [1]}, {"children": [0]}], "scenes": [{"nodes": [0]}])"))
                  .find("scenes[0].nodes: node 0 is a child of node 1, not a root"),
              std::string::npos)
        << error;
    EXPECT_NE(
        ErrorOf(file.Gltf(R"("nodes": [{"children": [2]}, {"children": [2]}, {}], "scenes": [{"nodes": [0, 1]}])"))
            .find("nodes[1].children: node 2 has a second parent"),
        std::string::npos)
        << error;
    EXPECT_NE(ErrorOf(file.Gltf(R"("nodes": [{"children": [1]}, {}], "scenes": [{"nodes": [0, 1]}])"))
                  .find("scenes[0].nodes: node 1 is a child of node 0, not a root"),
              std::string::npos)
        << error;
    EXPECT_NE(ErrorOf(file.Gltf(R"("nodes": [{"children": [7]}])")).find("node 7 does not exist (the file has 1)"),
              std::string::npos)
        << error;
    EXPECT_NE(ErrorOf(file.Gltf(R"("nodes": [{"mesh": 0}])")).find("nodes[0].mesh: mesh 0 does not exist"),
              std::string::npos)
        << error;
}

}  // namespace
}  // namespace korvo
