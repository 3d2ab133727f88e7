#include "extract/light_extraction.h"

#include <gtest/gtest.h>

#include "document_run.h"

namespace korvo {
namespace {

using test::Near;

ExportScene Extracted(const std::string& document) {
    test::DocumentRun run(document);
    if (run.host) ExtractLightsAndCamera(run.Start());
    return run.scene;
}

TEST(LightExtractionTest, TakesDirectionalLightsThatAreOnAndTheFirstCameraInTheExportedAxes) {
    const ExportScene scene = Extracted(R"({"nodes": [
        {"name": "Sun", "object": "light", "light": {"type": "directional", "color": [1.0, 0.5, 0.0]}},
        {"name": "Off", "object": "light", "light": {"type": "directional", "on": false}},
        {"name": "Lamp", "object": "light", "light": {"type": "omni"}},
        {"name": "Tilted", "object": "light", "transform": {"rotation": [90, 0, 0]}, "light": {"type": "directional"}},
        {"name": "Eye", "object": "camera", "transform": {"position": [1, 2, 3]},
         "camera": {"fov": 60, "near": 2, "far": 300}},
        {"name": "Second", "object": "camera", "transform": {"position": [0, 0, 9]}, "camera": {}}]})");
    ASSERT_EQ(scene.lights.size(), 2u);
    // The direction is (x, -z, y) of the light's host Z axis: straight down
    // for an unturned light; turned 90 degrees about X its Z axis is the
    // host's -Y.
    EXPECT_TRUE(Near(scene.lights[0].direction, {0, -1, 0}));
    EXPECT_EQ(scene.lights[0].color, (Rgb8{255, 127, 0}));
    EXPECT_TRUE(Near(scene.lights[1].direction, {0, 0, -1}));
    EXPECT_EQ(scene.lights[1].color, (Rgb8{255, 255, 255})) << "no colour property";

    // The camera looks down its local -Z.
    ASSERT_EQ(scene.cameras.size(), 1u);
    const ExportCamera& camera = scene.cameras[0];
    EXPECT_TRUE(Near(camera.position, {1, 3, -2}));
    EXPECT_TRUE(Near(camera.lookat, {1, 2, -2}));
    EXPECT_EQ(camera.projection, Projection::Perspective);
    EXPECT_NEAR(camera.fovy, 60.0f, 1e-4f);
    EXPECT_FLOAT_EQ(camera.near_clip, 2.0f);
    EXPECT_FLOAT_EQ(camera.far_clip, 300.0f);

    const ExportScene targeted = Extracted(R"({"nodes": [
        {"name": "Cam", "object": "camera", "transform": {"position": [0, -10, 0]}, "camera": {"target": "Aim"}},
        {"name": "Aim", "object": "target", "transform": {"position": [0, 0, 4]}}]})");
    ASSERT_EQ(targeted.cameras.size(), 1u);
    EXPECT_TRUE(Near(targeted.cameras[0].position, {0, 0, 10}));
    EXPECT_TRUE(Near(targeted.cameras[0].lookat, {0, 4, 0}));
}

}  // namespace
}  // namespace korvo
