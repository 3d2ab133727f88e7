#include <gtest/gtest.h>

#include "host/memory/prs.h"
#include "core/quantize.h"
#include "extract/local_transform.h"
#include "extraction_fixture.h"

namespace korvo {
namespace {

using UnanchoredNodesTest = test::ExtractionFixture;
using test::Keys;

void ExpectRebuilds(const ExportNode& record, int frame, const Matrix3& host_matrix, float tolerance) {
    const Matrix3 expected = RotateXMatrix(+1.5707964f) * host_matrix * RotateXMatrix(-1.5707964f);
    const Matrix3 rebuilt = ComposeLocalTransform(record.scale_samples[frame], record.rotate_samples[frame],
                                                  record.translate_samples[frame]);
    EXPECT_TRUE(test::MatrixNear(rebuilt, expected, tolerance)) << record.name << " frame " << frame;
}

TEST_F(UnanchoredNodesTest, ASelectedChildOfAnUnselectedNodeIsStoredInWorldSpace) {
    MemoryNode& body = Add("body");
    body.position = Keys<Point3>({{0, {0, 0, 0}}, {3, {6, 0, 3}}});
    body.rotation = Track<Quat>::Constant(EulerDegreesToQuat({0, 0, 30}));
    body.scale = Track<Point3>::Constant({2, 2, 2});
    MemoryNode& hand = Add("hand", &body);
    hand.position = Track<Point3>::Constant({1, 0, 0});
    hand.rotation = Keys<Quat>({{0, EulerDegreesToQuat({0, 0, 0})}, {3, EulerDegreesToQuat({45, 0, 0})}});
    MemoryNode& finger = Add("finger", &hand);
    finger.position = Track<Point3>::Constant({0.5f, 0, 0});
    MemoryNode& prop = Add("prop");
    prop.position = Track<Point3>::Constant({0, 0, 1});
    host.selection = {&hand, &finger, &prop};
    options.export_selection = true;
    ASSERT_TRUE(Extract(0, 3));

    EXPECT_EQ(scene.nodes.size(), 3u);
    for (int f = 0; f < 4; ++f) {
        const TimeValue t = f * host.ticks_per_frame;
        ExpectRebuilds(Node("hand"), f, hand.WorldTransform(t), 2e-3f);
        // Below an exported node and at the top of the host scene, samples
        // stay what they were.
        ExpectRebuilds(Node("finger"), f, finger.LocalTransform(t), 1e-5f);
        ExpectRebuilds(Node("prop"), f, prop.LocalTransform(t), 1e-6f);
    }
    // The static transform is left alone: the rest pose in world space
    // (2 cos 30, 2 sin 30, 0) in host axes.
    EXPECT_EQ(Node("hand").translate, (Vec3{Quantize4096(1.7320508), 0, -1}));
    EXPECT_EQ(Node("hand").rotate, (Vec3{0, 30, 0}));
}

}  // namespace
}  // namespace korvo
