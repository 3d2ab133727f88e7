#include "optimize/magnification.h"

#include <gtest/gtest.h>

#include "core/progress.h"

namespace korvo {
namespace {

// Every length doubles, removed polygons included; what has no length
// (scale, rotation, normals, texture coordinates) stays.
TEST(MagnificationTest, ScalesEveryLengthAndNothingElse) {
    ExportScene scene;
    ExportNode node;
    node.translate = {1, 2, 3};
    node.translate_samples = {{1, 2, 3}, {-1, 0, 0.5f}};
    node.scale = {2, 2, 2};
    node.scale_samples = {{2, 2, 2}, {2, 2, 2}};
    node.rotate_samples = {{0, 45, 0}, {0, 90, 0}};
    node.volume_min = {-1, -1, -1};
    node.volume_max = {1, 2, 3};
    node.volume_r = 1.5f;
    scene.nodes.push_back(node);
    ExportPolygon polygon;
    polygon.positions = {{1, 2, 3}, {0.25f, -4, 0}};
    polygon.normals = {{0, 1, 0}};
    polygon.volume_min = {0.25f, -4, 0};
    polygon.volume_max = {1, 2, 3};
    polygon.volume_r = 2.0f;
    scene.polygons = {polygon, polygon};
    scene.polygons[1].removed = true;

    int last_percent = 0;
    std::string last_text;
    Progress progress(1, [&](int percent, bool, const std::string& text) {
        last_percent = percent;
        last_text = text;
    });
    MagnifyScene(scene, 2.0f, progress);

    const ExportNode& n = scene.nodes[0];
    EXPECT_EQ(n.translate, (Vec3{2, 4, 6}));
    EXPECT_EQ(n.translate_samples, (std::vector<Vec3>{{2, 4, 6}, {-2, 0, 1}}));
    EXPECT_EQ(n.scale, (Vec3{2, 2, 2}));
    EXPECT_EQ(n.scale_samples, node.scale_samples);
    EXPECT_EQ(n.rotate_samples, node.rotate_samples);
    EXPECT_EQ(n.volume_min, (Vec3{-2, -2, -2}));
    EXPECT_EQ(n.volume_max, (Vec3{2, 4, 6}));
    EXPECT_EQ(n.volume_r, 3.0f);
    for (const ExportPolygon& p : scene.polygons) {
        EXPECT_EQ(p.positions, (std::vector<Vec3>{{2, 4, 6}, {0.5f, -8, 0}}));
        EXPECT_EQ(p.normals, polygon.normals);
        EXPECT_EQ(p.volume_min, (Vec3{0.5f, -8, 0}));
        EXPECT_EQ(p.volume_max, (Vec3{2, 4, 6}));
        EXPECT_EQ(p.volume_r, 4.0f);
    }
    EXPECT_EQ(last_percent, 100);
    EXPECT_EQ(last_text, "Magnifying Scene (100%)");
}

}  // namespace
}  // namespace korvo
