// A glTF camera and directional light as the scene data file writes them.

#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::BodyChild;
using test::ImdElement;

class GltfSceneDataExportTest : public test::GltfExportTest {
protected:
    // A camera at (0, 0, 10) looking down -Z and one directional light of
    // colour (1, 0.5, 0) on a node turned by rotation; the scene data read back.
    ImdElement ExportCameraAndLight(const std::string& light_rotation) {
        ExportMade(R"("extensionsUsed": ["KHR_lights_punctual"],
            "extensions": {"KHR_lights_punctual": {"lights": [{"type": "directional", "color": [1, 0.5, 0]}]}},
            "nodes": [{"name": "Eye", "translation": [0, 0, 10], "camera": 0},
                      {"name": "Sun", "rotation": )" +
                       light_rotation + R"(, "extensions": {"KHR_lights_punctual": {"light": 0}}}],
            "cameras": [{"type": "perspective",
                         "perspective": {"yfov": 0.5, "aspectRatio": 1.5, "znear": 0.1, "zfar": 100}}])",
                   [](ExportSettings& s) { s.output_isd = 1; });
        return ReadBack("isd");
    }
};

TEST_F(GltfSceneDataExportTest, WritesTheCameraAndTheLightInGltfAxes) {
    const ImdElement isd = ExportCameraAndLight("[-0.70710678, 0, 0, 0.70710678]");
    // fovy: 0.5 radians in degrees, computed in single precision.
    EXPECT_EQ(BodyChild(isd, "camera").attributes, (decltype(ImdElement::attributes){
                                                       {"position", "0.000000 0.000000 10.000000"},
                                                       {"lookat", "0.000000 0.000000 9.000000"},
                                                       {"twist", "0.000000"},
                                                       {"projection", "perspective"},
                                                       {"near", "0.100000"},
                                                       {"far", "100.000000"},
                                                       {"perspective fovy", "28.647888"},
                                                       {"perspective aspect", "1.500000"},
                                                       {"ortho width", "100.000000"},
                                                       {"ortho height", "75.000000"},
                                                   }));
    ASSERT_EQ(BodyChild(isd, "light").children.size(), 1u);
    // 1.0 and 0.5 times 255 are 255 and 127, written in five bits.
    EXPECT_EQ(BodyChild(isd, "light").children[0].Attribute("color"), "31 15 0");

    // The direction stores (x, -z, y) of the light's host Z axis, the
    // platform's own convention: turned -90 degrees about X the light
    // shines down -Y, unturned down -Z, and shining down glTF -X (a quarter
    // turn about +Y) it comes out mirrored in X.
    const std::pair<const char*, std::vector<double>> turns[] = {{"[-0.70710678, 0, 0, 0.70710678]", {0, -1, 0}},
                                                                 {"[0, 0, 0, 1]", {0, 0, -1}},
                                                                 {"[0, 0.70710678, 0, 0.70710678]", {1, 0, 0}}};
    for (const auto& [rotation, direction] : turns) {
        SCOPED_TRACE(rotation);
        const ImdElement turned = ExportCameraAndLight(rotation);
        const ImdElement* light = BodyChild(turned, "light").Child("light0");
        ASSERT_NE(light, nullptr);
        const std::vector<double> written = light->Numbers("direction").value_or(std::vector<double>{});
        ASSERT_EQ(written.size(), 3u);
        for (int i = 0; i < 3; ++i) EXPECT_NEAR(written[i], direction[i], 1e-5) << "component " << i;
    }
}

}  // namespace
}  // namespace korvo
