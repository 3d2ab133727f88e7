#include "extract/reference_transform.h"

#include <gtest/gtest.h>

#include "document_run.h"

namespace korvo {
namespace {

using test::DocumentRun;
using test::Near;

Vec3 Translation(const Matrix3& m) { return {m.rows[3].x, m.rows[3].y, m.rows[3].z}; }

TEST(ReferenceTransform, SkinAndPhysiqueInitialTransformsBeforeTheWorldAtTheFirstFrame) {
    // Physique on a node met before the skin gives B2's rest; the skin
    // gives B1's and the skinned node's; the rest are at their place at
    // the first exported frame. Host Z is up, results have Y up.
    DocumentRun run(R"({"end_frame": 10, "nodes": [
        {"name": "B1", "object": "bone", "is_bone": true, "transform": {"position": [0, 0, 10]},
         "children": [{"name": "B2", "object": "bone", "is_bone": true, "transform": {"position": [0, 0, 10]}}]},
        {"name": "Rigged", "modifiers": [{"class": "physique",
            "bones": [{"node": "B2", "initial_transform": {"position": [0, 0, 30]}}]}]},
        {"name": "Skinned", "transform": {"position": [9, 9, 9]},
         "mesh": {"vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0]], "faces": [[0, 1, 2]]},
         "modifiers": [{"class": "skin", "initial_skin_transform": {"position": [3, 0, 0]},
                        "bones": [{"node": "B1", "initial_transform": {"position": [0, 0, 7]}}, "B2"],
                        "weights": [[[0, 1]], [[1, 1]], [[1, 1]]]}]},
        {"name": "Moving", "object": "bone_object",
         "transform": {"position": {"keys": [[0, [0, 0, 0]], [4, [0, 0, 8]]]}}},
        {"name": "Plain", "transform": {"position": [1, 2, 3]}}]})");
    ASSERT_TRUE(run.Build(2, 4));
    const Extraction& extraction = *run.extraction;
    auto reference = [&](const std::string& name) {
        for (const auto& node : run.host->nodes) {
            if (node->name == name) return ReferenceTransform(extraction, node.get());
        }
        ADD_FAILURE() << "no node " << name;
        return Matrix3::Identity();
    };
    EXPECT_TRUE(Near(Translation(reference("B1")), {0, 7, 0}));
    EXPECT_TRUE(Near(Translation(reference("B2")), {0, 30, 0}));
    EXPECT_TRUE(Near(Translation(reference("Skinned")), {3, 0, 0}));
    EXPECT_TRUE(Near(Translation(reference("Moving")), {0, 4, 0}));
    EXPECT_TRUE(Near(Translation(reference("Plain")), {1, 3, -2}));
    EXPECT_EQ(ReferenceTransform(extraction, nullptr), Matrix3::Identity());
}

}  // namespace
}  // namespace korvo
