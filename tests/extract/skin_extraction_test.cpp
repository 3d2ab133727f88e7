#include "extract/skin_extraction.h"

#include <gtest/gtest.h>

#include <sstream>

#include "document_run.h"

namespace korvo {
namespace {

using test::DocumentRun;
using test::Near;
using Strings = std::vector<std::string>;

// Two bones (node ids 1 and 2) standing on each other, the upper one
// turned a quarter about the host's X axis, and a pair of triangles
// skinned to them.
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

// Each entry as "count: node*weight/slot ... last last_slot".
Strings Entries(const ExportPolygon& polygon) {
    Strings entries;
    for (const SkinEntry& entry : polygon.skin) {
        std::ostringstream text;
        text << entry.count << ":";
        for (std::size_t i = 0; i < entry.nodes.size(); ++i) {
            text << " " << entry.nodes[i] << "*" << entry.weights[i] << "/" << entry.slots[i];
        }
        text << " last " << entry.last_slot;
        entries.push_back(text.str());
    }
    return entries;
}

TEST(SkinExtraction, WeightsAreKeptCollapsedAndSingleBoneVerticesMovedIntoBoneSpace) {
    DocumentRun run(SkinnedPair(kWeights));
    ASSERT_TRUE(run.Build());
    ASSERT_EQ(run.scene.polygons.size(), 1u);
    const ExportPolygon& skinned = run.Polygon(0);
    // 0.0005 is dropped, and 0.9995 makes the third vertex hang on B2 alone.
    EXPECT_EQ(Entries(skinned), (Strings{"1: 1*1/0 last 0", "2: 1*0.6/0 2*0.4/1 last 1",
                                         "1: 2*0.9995/1 -1*0/-1 last 1", "2: 1*0.5/0 2*0.5/1 last 1"}));
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

    // Forced full weight keeps the heaviest bone or the first of equal
    // ones; the collapsed vertex keeps its weight, and every vertex moves
    // into its bone's space.
    DocumentRun full(SkinnedPair(kWeights));
    full.options.force_full_weight = true;
    ASSERT_TRUE(full.Build());
    EXPECT_EQ(Entries(full.Polygon(0)), (Strings{"1: 1*1/0 last 0", "1: 1*1/0 2*0.4/1 last 0",
                                                 "1: 2*0.9995/1 -1*0/-1 last 1", "1: 1*1/0 2*0.5/1 last 0"}));
    EXPECT_TRUE(Near(full.Polygon(0).positions[1], {1, -10, 0}));
    EXPECT_TRUE(Near(full.Polygon(0).positions[3], {0, -5, -1}));
}

TEST(SkinExtraction, WronglyWeightedVerticesStopTheExportNamingTheFirstAndNoBonesOnlyWarns) {
    const std::pair<std::string, int> cases[] = {
        {"[[[0, 1.0]], [[0, 0.5], [1, 0.4]], [[1, 1.0]], []]", 1},
        {"[[[0, 1.0]], [[0, 1.0]], [[1, 1.0]], []]", 3},
        {"[[[0, 1.0]], [[0, 1.0]], [[0, 0.001], [1, 0.001]], [[1, 1]]]", 2},
    };
    for (const auto& [weights, vertex] : cases) {
        DocumentRun run(SkinnedPair(weights));
        EXPECT_FALSE(run.Build()) << weights;
        EXPECT_EQ(run.reports.Errors(), Strings{"Wrong weighted vertices: Wrong weighted vertices exist. Skinned ( "
                                                "vertex " + std::to_string(vertex) + " )"});
    }

    DocumentRun loose(R"({"nodes": [{"name": "Loose",
        "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]},
        "modifiers": [{"class": "skin"}]}]})");
    ASSERT_TRUE(loose.Build());
    EXPECT_FALSE(loose.Polygon(0).skinned());
    EXPECT_EQ(loose.reports.Warnings(),
              Strings{"Warning: Skinning modifier applied to node \"Loose\" with no bones attached."});
}

}  // namespace
}  // namespace korvo
