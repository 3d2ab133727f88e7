#include "extract/light_extraction.h"

#include <gtest/gtest.h>

#include "mesh_test_scene.h"

namespace korvo {
namespace {

constexpr const char* kScene = R"({
  "nodes": [
    {"name": "Sun", "object": "light", "light": {"type": "directional", "color": [1.0, 0.5, 0.0]}},
    {"name": "Off", "object": "light", "light": {"type": "directional", "on": false}},
    {"name": "Lamp", "object": "light", "light": {"type": "omni"}},
    {"name": "Tilted", "object": "light", "transform": {"rotation": [90, 0, 0]}, "light": {"type": "directional"}},
    {"name": "Eye", "object": "camera", "transform": {"position": [1, 2, 3]},
     "camera": {"fov": 60, "near": 2, "far": 300}},
    {"name": "Second", "object": "camera", "transform": {"position": [0, 0, 9]}, "camera": {}}
  ]
})";

struct Extracted {
    ExportScene scene;
    std::unique_ptr<MemoryScene> host;
    SceneWrapper wrapper;
    ExportOptions options;
    Diagnostics diagnostics;
    Progress progress;

    explicit Extracted(const char* text) {
        std::string error;
        host = LoadSceneDocumentText(text, "lights.json", &error);
        EXPECT_TRUE(host) << error;
        wrapper.InitialiseAll(*host);
        Extraction extraction{scene, *host, wrapper, options, diagnostics, progress};
        ExtractLightsAndCamera(extraction);
    }
};

using test::Near;

TEST(LightExtractionTest, TakesDirectionalLightsThatAreOnInTheExportedAxes) {
    Extracted run(kScene);
    ASSERT_EQ(run.scene.lights.size(), 2u);
    // The direction is (x, -z, y) of the light's host Z axis: straight down
    // for an unturned light.
    EXPECT_TRUE(Near(run.scene.lights[0].direction, {0, -1, 0}));
    EXPECT_EQ(run.scene.lights[0].color, (Rgb8{255, 127, 0}));
    // Turned 90 degrees about X its Z axis is the host's -Y.
    EXPECT_TRUE(Near(run.scene.lights[1].direction, {0, 0, -1}));
    EXPECT_EQ(run.scene.lights[1].color, (Rgb8{255, 255, 255})) << "no colour property";
}

TEST(LightExtractionTest, TakesTheFirstCameraLookingDownItsLocalMinusZ) {
    Extracted run(kScene);
    ASSERT_EQ(run.scene.cameras.size(), 1u);
    const ExportCamera& camera = run.scene.cameras[0];
    EXPECT_TRUE(Near(camera.position, {1, 3, -2}));
    EXPECT_TRUE(Near(camera.lookat, {1, 2, -2}));
    EXPECT_EQ(camera.projection, Projection::Perspective);
    EXPECT_NEAR(camera.fovy, 60.0f, 1e-4f);
    EXPECT_FLOAT_EQ(camera.near_clip, 2.0f);
    EXPECT_FLOAT_EQ(camera.far_clip, 300.0f);

    Extracted targeted(R"({"nodes": [
        {"name": "Cam", "object": "camera", "transform": {"position": [0, -10, 0]}, "camera": {"target": "Aim"}},
        {"name": "Aim", "object": "target", "transform": {"position": [0, 0, 4]}}
    ]})");
    ASSERT_EQ(targeted.scene.cameras.size(), 1u);
    EXPECT_TRUE(Near(targeted.scene.cameras[0].position, {0, 0, 10}));
    EXPECT_TRUE(Near(targeted.scene.cameras[0].lookat, {0, 4, 0}));
}

}  // namespace
}  // namespace korvo
