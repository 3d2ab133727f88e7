#include "extract/skin_extraction.h"

#include <gtest/gtest.h>

#include "mesh_test_scene.h"

namespace korvo {
namespace {

using test::MeshTestScene;
using test::Near;

// Two bones standing on each other, the upper one turned a quarter about
// the host's X axis, and a pair of triangles skinned to them.
std::string SkinnedPair(const std::string& weights) {
    return R"({"nodes": [
        {"name": "B1", "object": "bone", "is_bone": true, "transform": {"position": [0, 0, 10]},
         "children": [{"name": "B2", "object": "bone", "is_bone": true,
                       "transform": {"position": [0, 0, 10], "rotation": [90, 0, 0]}}]},
        {"name": "Skinned",
         "mesh": {"vertices": [[0, 0, 10], [1, 0, 0], [1, 0, 20], [0, 1, 5]],
                  "normals": [[0, 0, 1], [0, 0, 1], [0, 0, 1], [0, 0, 1]],
                  "faces": [{"position": [0, 1, 2], "normal": [0, 1, 2]}, {"position": [0, 2, 3], "normal": [0, 2, 3]}]},
         "modifiers": [{"class": "skin", "bones": ["B1", "B2"], "weights": )" +
           weights + "}]}]}";
}

const std::string kWeights = "[[[0, 1.0]], [[0, 0.6], [1, 0.4]], [[0, 0.0005], [1, 0.9995]], [[0, 0.5], [1, 0.5]]]";
constexpr int32_t kB1 = 1, kB2 = 2;

TEST(SkinExtraction, WeightsAreKeptCollapsedAndSingleBoneVerticesMovedIntoBoneSpace) {
    MeshTestScene run(SkinnedPair(kWeights));
    ASSERT_TRUE(run.Build());
    ASSERT_EQ(run.scene.polygons.size(), 1u);
    const ExportPolygon& skinned = run.Polygon(0);
    ASSERT_EQ(skinned.skin.size(), 4u);

    const SkinEntry& only_b1 = skinned.skin[0];
    EXPECT_EQ(only_b1.count, 1);
    EXPECT_EQ(only_b1.weights, std::vector<float>{1.0f});
    EXPECT_EQ(only_b1.nodes, std::vector<int32_t>{kB1});
    EXPECT_EQ(only_b1.last_slot, 0);

    const SkinEntry& shared = skinned.skin[1];
    EXPECT_EQ(shared.count, 2);
    EXPECT_EQ(shared.weights, (std::vector<float>{0.6f, 0.4f}));
    EXPECT_EQ(shared.nodes, (std::vector<int32_t>{kB1, kB2}));
    EXPECT_EQ(shared.slots, (std::vector<int32_t>{0, 1}));
    EXPECT_EQ(shared.last_slot, 1);

    // 0.0005 is dropped, 0.9995 makes the vertex hang on B2 alone.
    const SkinEntry& collapsed = skinned.skin[2];
    EXPECT_EQ(collapsed.count, 1);
    EXPECT_FLOAT_EQ(collapsed.weights[0], 0.9995f);
    EXPECT_EQ(collapsed.nodes[0], kB2);
    EXPECT_EQ(collapsed.slots[0], 1);
    EXPECT_EQ(collapsed.last_slot, 1);
    EXPECT_EQ(collapsed.weights.size(), 2u);

    // Single-bone vertices sit in their bone's space (B1 at height 10, B2 at
    // 20 turned about X), shared ones stay in the mesh's space.
    const Vec3 positions[] = {{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 5, -1}};
    const Vec3 normals[] = {{0, 1, 0}, {0, 1, 0}, {0, 0, -1}, {0, 1, 0}};
    for (std::size_t v = 0; v < 4; ++v) {
        EXPECT_TRUE(Near(skinned.positions[v], positions[v])) << v;
        EXPECT_TRUE(Near(skinned.normals[v], normals[v])) << v;
    }
    // The box is taken after the move.
    EXPECT_TRUE(Near(skinned.volume_min, {0, 0, -1}));
    EXPECT_TRUE(Near(skinned.volume_max, {1, 5, 0}));
}

TEST(SkinExtraction, ForceFullWeightKeepsTheHeaviestBoneOrTheFirstOfEqualOnes) {
    MeshTestScene run(SkinnedPair(kWeights));
    run.options.force_full_weight = true;
    ASSERT_TRUE(run.Build());
    const ExportPolygon& skinned = run.Polygon(0);
    std::vector<int32_t> counts, first_nodes, last_slots;
    std::vector<float> first_weights;
    for (const SkinEntry& entry : skinned.skin) {
        counts.push_back(entry.count);
        first_nodes.push_back(entry.nodes[0]);
        last_slots.push_back(entry.last_slot);
        first_weights.push_back(entry.weights[0]);
    }
    EXPECT_EQ(counts, (std::vector<int32_t>{1, 1, 1, 1}));
    EXPECT_EQ(first_nodes, (std::vector<int32_t>{kB1, kB1, kB2, kB1}));
    EXPECT_EQ(last_slots, (std::vector<int32_t>{0, 0, 1, 0}));
    // The collapsed vertex keeps its weight.
    EXPECT_EQ(first_weights, (std::vector<float>{1.0f, 1.0f, 0.9995f, 1.0f}));
    // Every vertex now hangs on one bone and moves into its space.
    EXPECT_TRUE(Near(skinned.positions[1], {1, -10, 0}));
    EXPECT_TRUE(Near(skinned.positions[3], {0, -5, -1}));
}

TEST(SkinExtraction, WronglyWeightedVerticesStopTheExportNamingTheFirst) {
    struct Case {
        std::string weights;
        std::string text;
    };
    const Case cases[] = {
        {"[[[0, 1.0]], [[0, 0.5], [1, 0.4]], [[1, 1.0]], []]", "Wrong weighted vertices exist. Skinned ( vertex 1 )"},
        {"[[[0, 1.0]], [[0, 1.0]], [[1, 1.0]], []]", "Wrong weighted vertices exist. Skinned ( vertex 3 )"},
        {"[[[0, 1.0]], [[0, 1.0]], [[0, 0.001], [1, 0.001]], [[1, 1]]]",
         "Wrong weighted vertices exist. Skinned ( vertex 2 )"},
    };
    for (const Case& c : cases) {
        MeshTestScene run(SkinnedPair(c.weights));
        EXPECT_FALSE(run.Build()) << c.weights;
        EXPECT_EQ(run.reports.Errors(), std::vector<std::string>{"Wrong weighted vertices: " + c.text});
    }
}

TEST(SkinExtraction, ASkinWithoutBonesOnlyWarns) {
    MeshTestScene run(R"({"nodes": [{"name": "Loose",
        "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]},
        "modifiers": [{"class": "skin"}]}]})");
    ASSERT_TRUE(run.Build());
    EXPECT_FALSE(run.Polygon(0).skinned());
    EXPECT_EQ(run.reports.Warnings(),
              std::vector<std::string>{"Warning: Skinning modifier applied to node \"Loose\" with no bones attached."});
}

}  // namespace
}  // namespace korvo
