#include "extract/animation_sampling.h"

#include <gtest/gtest.h>

#include <random>

#include "extract/local_transform.h"
#include "extraction_fixture.h"
#include "host/memory/prs.h"

namespace korvo {
namespace {

using AnimationSamplingTest = test::ExtractionFixture;
using test::Keys;
using test::MatrixNear;

TEST_F(AnimationSamplingTest, SamplesWholeFramesQuantisesOnlyTopNodesAndReadsVisibilityAboveZero) {
    // x = the frame number, so each sample shows the time it was taken at.
    MemoryNode& top = Add("top");
    top.position = Keys<Point3>({{0, {0, 0, 0}}, {100, {100.00001f, 0, 0}}});
    Add("child", &top).position = Track<Point3>::Constant({1.00001f, 0, 0});
    Add("appearing").visibility = Keys<float>({{4, 0.0f}, {5, 1.0f}});
    Add("faint").visibility = Track<float>::Constant(0.01f);
    host.ticks_per_frame = 80;
    ASSERT_TRUE(Extract(3, 7));

    std::vector<float> xs;
    for (const Vec3& v : Node("top").translate_samples) xs.push_back(v.x);
    EXPECT_EQ(xs, (std::vector<float>{3, 4, 5, 6, 7}));
    EXPECT_EQ(Node("top").scale_samples.size(), 5u);
    EXPECT_EQ(Node("top").rotate_samples.size(), 5u);
    // The static transform is the rest pose at the first exported frame.
    EXPECT_EQ(Node("top").translate.x, 3.0f);
    // Below an exported node samples stay as evaluated; the static
    // transform is quantised everywhere.
    EXPECT_NE(Node("child").translate_samples[0].x, 1.0f);
    EXPECT_NEAR(Node("child").translate_samples[0].x, 1.00001f, 1e-6f);
    EXPECT_EQ(Node("child").translate.x, 1.0f);

    EXPECT_EQ(Node("appearing").visibility_samples, (std::vector<int32_t>{0, 0, 1, 1, 1}));
    EXPECT_FALSE(Node("appearing").visible);
    EXPECT_EQ(Node("faint").visibility_samples, std::vector<int32_t>(5, 1));
    EXPECT_TRUE(Node("faint").visible);
}

// The stored scale, then rotations about X, Y and Z, then the translation
// rebuild the local matrix in Y-up axes, whatever the transforms of node
// and parent, mirrors included (as a negative X scale).
TEST_F(AnimationSamplingTest, StoredPartsRebuildTheSampledLocalMatrix) {
    std::mt19937 random(3);
    std::uniform_real_distribution<float> unit(-1.0f, 1.0f);
    const auto trs = [&](MemoryNode& node) {
        const auto position = [&] { return Point3{10 * unit(random), 10 * unit(random), 10 * unit(random)}; };
        const auto rotation = [&] {
            return EulerDegreesToQuat({180 * unit(random), 180 * unit(random), 180 * unit(random)});
        };
        const auto scale = [&] {
            Point3 s{1.5f + unit(random), 1.5f + unit(random), 1.5f + unit(random)};
            if (random() % 3 == 0) s[static_cast<int>(random() % 3)] *= -1.0f;
            return s;
        };
        node.position = Keys<Point3>({{0, position()}, {4, position()}});
        node.rotation = Keys<Quat>({{0, rotation()}, {4, rotation()}});
        node.scale = Keys<Point3>({{0, scale()}, {4, scale()}});
    };
    for (int i = 0; i < 40; ++i) {
        MemoryNode& parent = Add("p" + std::to_string(i));
        trs(parent);
        trs(Add("c" + std::to_string(i), &parent));
    }
    ASSERT_TRUE(Extract(0, 4));

    const Matrix3 a = RotateXMatrix(+1.5707964f), b = RotateXMatrix(-1.5707964f);
    int mirrored = 0;
    for (const ExportNode& record : scene.nodes) {
        const HostNode* node = host.NodeById(record.id);
        ASSERT_NE(node, nullptr);
        // Quantised top-level samples are a little off the evaluated values.
        const float tolerance = record.name[0] == 'p' ? 2e-3f : 1e-4f;
        for (int f = 0; f < options.frames.count; ++f) {
            const TimeValue t = f * host.ticks_per_frame;
            const HostNode* up = node->Parent();
            const Matrix3 parent = up == host.Root() ? Matrix3::Identity() : up->WorldTransform(t);
            const Matrix3 expected = a * (node->WorldTransform(t) * Inverse(parent)) * b;
            const Matrix3 rebuilt = ComposeLocalTransform(record.scale_samples[f], record.rotate_samples[f],
                                                          record.translate_samples[f]);
            // Translations are larger, and so are their errors.
            ASSERT_TRUE(MatrixNear(rebuilt, expected, tolerance, tolerance * 10)) << record.name << " frame " << f;
            if (record.scale_samples[f].x < 0) ++mirrored;
            EXPECT_GT(record.scale_samples[f].y, 0.0f);
            EXPECT_GT(record.scale_samples[f].z, 0.0f);
        }
    }
    EXPECT_GT(mirrored, 0);
}

// Skinned meshes deform while the samples are read and rest otherwise; a
// skin the user switched off stays off.
class DeformationSpy : public MemoryNode {
public:
    float Visibility(TimeValue t) const override {
        seen.push_back({watched[0]->enabled, watched[1]->enabled});
        return MemoryNode::Visibility(t);
    }
    std::array<const MemoryModifier*, 2> watched{};
    mutable std::vector<std::array<bool, 2>> seen;
};

TEST_F(AnimationSamplingTest, SkinsDeformOnlyWhileTheSamplesAreRead) {
    MemoryNode& skinned = Add("skinned", nullptr, ObjectKind::Mesh);
    skinned.modifiers.push_back(MemoryModifier::Make(ModifierKind::Skin));
    MemoryNode& user_off = Add("user_off", nullptr, ObjectKind::Mesh);
    user_off.modifiers.push_back(MemoryModifier::Make(ModifierKind::Skin));
    user_off.modifiers[0]->enabled = false;
    auto owned = std::make_unique<DeformationSpy>();
    DeformationSpy& spy = *owned;
    spy.name = "spy";
    spy.parent = &host.root();
    spy.watched = {skinned.modifiers[0].get(), user_off.modifiers[0].get()};
    host.root().children.push_back(&spy);
    host.nodes.push_back(std::move(owned));

    host.Link();
    wrapper.InitialiseAll(host);
    options.frames = test::Frames(0, 1);
    Extraction extraction{scene, host, wrapper, options, reports.diagnostics, shown.progress};
    const std::vector<std::array<bool, 2>> deformed{{true, false}, {true, false}};
    SwitchSkinDeformation(extraction, false);
    ASSERT_TRUE(ExtractScene(extraction));
    EXPECT_EQ(spy.seen, deformed);
    EXPECT_FALSE(skinned.modifiers[0]->enabled);
    SwitchSkinDeformation(extraction, true);
    EXPECT_TRUE(skinned.modifiers[0]->enabled);
    EXPECT_FALSE(user_off.modifiers[0]->enabled);

    // Without the export's switch there is nothing to undo or redo.
    spy.seen.clear();
    scene.nodes.clear();
    Extraction untouched{scene, host, wrapper, options, reports.diagnostics, shown.progress};
    ASSERT_TRUE(ExtractScene(untouched));
    EXPECT_EQ(spy.seen, deformed);
    EXPECT_TRUE(skinned.modifiers[0]->enabled);
}

TEST_F(AnimationSamplingTest, WithoutFramesTheStaticTransformIsTheIdentity) {
    MemoryNode& node = Add("moved");
    node.position = Track<Point3>::Constant({5, 0, 0});
    host.Link();
    wrapper.InitialiseAll(host);
    options.frames.count = 0;
    Extraction extraction{scene, host, wrapper, options, reports.diagnostics, shown.progress};
    ExportNode record;
    record.visible = true;
    SampleNode(extraction, node, record, true);
    EXPECT_TRUE(record.translate_samples.empty() && record.visibility_samples.empty());
    EXPECT_FALSE(record.visible);
    EXPECT_EQ(record.scale, (Vec3{1, 1, 1}));
    EXPECT_EQ(record.rotate, (Vec3{0, 0, 0}));
    EXPECT_EQ(record.translate, (Vec3{0, 0, 0}));
}

}  // namespace
}  // namespace korvo
