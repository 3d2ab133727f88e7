#include <gtest/gtest.h>

#include "model_test_scene.h"

namespace korvo {
namespace {

const std::string kHead = test::FrameHead("isd", "Scene Data for OSTRAVEN KORVO-System", "stage.max");
const std::string kClose = test::FrameClose("isd");

std::string SceneDataText(ExportScene& scene, Progress& progress) {
    Diagnostics diagnostics;
    const ExportOptions options;
    const ModelLayout layout;
    const WriterInput input{scene, options, layout};
    const auto body = [&](TextWriter& out) { return WriteSceneDataBody(out, input, diagnostics, progress); };
    return FramedText(FileKind::SceneData, test::FixedProvenance("stage.max"), body).value_or("");
}

TEST(SceneDataWriterTest, WritesBareElementsOrTheFirstCameraAndEveryLight) {
    ExportScene scene;
    Progress bare;
    EXPECT_EQ(SceneDataText(scene, bare), kHead + "\n<camera\n/>\n\n<light>\n</light>\n" + kClose);

    test::ShownProgress shown(10);

    ExportCamera camera;
    camera.position = {1.0f, 2.5f, -3.0f};
    camera.twist = 0.25f;
    camera.projection = Projection::Orthographic;
    camera.near_clip = 0.1f;
    camera.far_clip = 1000.0f;
    camera.fovy = 45.0f;
    camera.aspect = 4.0f / 3.0f;
    camera.ortho_width = 256.0f;
    camera.ortho_height = 192.0f;
    scene.cameras = {camera, ExportCamera{}};
    // Colour bytes are written as 5-bit values.
    scene.lights = {{{0.0f, -1.0f, 0.0f}, {255, 127, 0}}, {{0.5f, -0.5f, -0.707107f}, {8, 7, 248}}};

    EXPECT_EQ(SceneDataText(scene, shown.progress), kHead +
                                                        "\n<camera\n"
                                                        "\tposition=\"1.000000 2.500000 -3.000000\"\n"
                                                        "\tlookat=\"0.000000 0.000000 0.000000\"\n"
                                                        "\ttwist=\"0.250000\"\n"
                                                        "\tprojection=\"ortho\"\n"
                                                        "\tnear=\"0.100000\"\n"
                                                        "\tfar=\"1000.000000\"\n"
                                                        "\tperspective fovy=\"45.000000\"\n"
                                                        "\tperspective aspect=\"1.333333\"\n"
                                                        "\tortho width=\"256.000000\"\n"
                                                        "\tortho height=\"192.000000\"\n"
                                                        "/>\n"
                                                        "\n<light>\n"
                                                        "\t<light0\n"
                                                        "\t\tdirection=\"0.000000 -1.000000 0.000000\"\n"
                                                        "\t\tcolor=\"31 15 0\"\n"
                                                        "\t/>\n"
                                                        "\t<light1\n"
                                                        "\t\tdirection=\"0.500000 -0.500000 -0.707107\"\n"
                                                        "\t\tcolor=\"1 0 31\"\n"
                                                        "\t/>\n"
                                                        "</light>\n" +
                                                        kClose);

    // One step of ten, split between the camera and the two lights.
    ASSERT_FALSE(shown.texts.empty());
    EXPECT_EQ(shown.texts.front(), "Exporting Camera (3%)");
    EXPECT_EQ(shown.texts.back(), "Exporting Lights (10%)");

    scene.cameras[0].projection = Projection::Perspective;
    EXPECT_TRUE(test::Contains(SceneDataText(scene, shown.progress), "\tprojection=\"perspective\"\n"));
}

}  // namespace
}  // namespace korvo
