#include "optimize/node_compression.h"

#include <cmath>
#include <gtest/gtest.h>

#include "support/reports.h"

namespace korvo {
namespace {

ExportNode Node(int32_t id, const char* name, int32_t parent, NodeKind kind = NodeKind::Null) {
    ExportNode node;
    node.id = id;
    node.name = name;
    node.parent = parent;
    node.kind = kind;
    return node;
}

// Compresses with the options; returns the warnings.
std::vector<std::string> Compress(ExportScene& scene, const ExportOptions& options = {}) {
    test::Reports reports;
    Progress progress;
    CompressNodes(scene, options, reports.diagnostics, progress);
    return reports.Warnings();
}

TEST(NodeCompressionTest, GroupsSeveralTopLevelNodesUnderAWorldRoot) {
    ExportScene scene;
    ExportOptions options;
    options.frames.count = 2;
    scene.nodes = {Node(5, "A", -1), Node(6, "A_child", 5), Node(7, "B", -1)};
    scene.nodes[0].brother_next = 7;
    scene.nodes[0].child = 6;
    scene.nodes[2].brother_prev = 5;
    Compress(scene, options);

    ASSERT_EQ(scene.nodes.size(), 4u);
    EXPECT_EQ(scene.node_count_before_compression, 4);
    const ExportNode& root = scene.nodes[0];
    EXPECT_EQ(root.name, "world_root");
    EXPECT_EQ(root.id, kWorldRootId);
    EXPECT_EQ(root.child, 5);
    EXPECT_EQ(root.parent, -1);
    EXPECT_EQ(root.scale_samples, (std::vector<Vec3>{{1, 1, 1}, {1, 1, 1}}));
    EXPECT_EQ(root.visibility_samples, (std::vector<int32_t>{1, 1}));
    EXPECT_TRUE(root.visible);
    EXPECT_EQ(scene.nodes[1].parent, kWorldRootId);
    EXPECT_EQ(scene.nodes[2].parent, 5);
    EXPECT_EQ(scene.nodes[3].parent, kWorldRootId);

    ExportScene single;
    single.nodes = {Node(1, "Only", -1)};
    Compress(single, options);
    EXPECT_EQ(single.nodes.size(), 1u);
    EXPECT_EQ(single.node_count_before_compression, 1);
}

TEST(NodeCompressionTest, MovesBlendedVerticesIntoModelSpaceAndBoundsMeshNodes) {
    ExportScene scene;
    scene.nodes = {Node(1, "Mesh", -1, NodeKind::Mesh)};
    scene.nodes[0].translate = {10, 0, 0};
    ExportPolygon polygon;
    polygon.node = 1;
    polygon.positions = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    polygon.skin.resize(3);
    polygon.skin[0].count = 1;  // on one bone: stays in the bone's space
    polygon.skin[1].count = 2;  // blended: moved by the owner's world matrix
    polygon.skin[2].count = 2;
    NTriFace face;
    face.position = {0, 1, 2};
    polygon.triangles = {face};
    scene.polygons = {polygon};
    Compress(scene);

    const ExportPolygon& moved = scene.polygons[0];
    EXPECT_EQ(moved.positions, (std::vector<Vec3>{{0, 0, 0}, {11, 0, 0}, {10, 1, 0}}));
    EXPECT_EQ(moved.volume_min, (Vec3{0, 0, 0}));
    EXPECT_EQ(moved.volume_max, (Vec3{11, 1, 0}));
    const ExportNode& node = scene.nodes[0];
    EXPECT_EQ(node.volume_min, moved.volume_min);
    EXPECT_EQ(node.volume_max, moved.volume_max);
    EXPECT_FLOAT_EQ(node.volume_r, std::sqrt(5.5f * 5.5f + 0.5f * 0.5f));
    EXPECT_EQ(moved.triangles[0].face_vector, (Vec3{0, 0, 1}));
}

}  // namespace
}  // namespace korvo
