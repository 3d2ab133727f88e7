#include "extract/animation_sampling.h"

#include "host/scene_wrapper.h"
#include "extract/local_transform.h"
#include "extract/reference_transform.h"
#include "extract/skin_deformation.h"

namespace korvo {

namespace {

void SampleTransforms(const Extraction& extraction, const HostNode& node, ExportNode& record, bool quantise) {
    const int frames = extraction.options.frames.count;
    record.scale_samples.resize(frames);
    record.rotate_samples.resize(frames);
    record.translate_samples.resize(frames);
    for (int i = 0; i < frames; ++i) {
        const TimeValue t = SampleTime(extraction, i);
        const Matrix3 parent = HostParentWorldTransform(extraction.host_scene, node, t);
        const Matrix3 local = ZUpToYUp(node.WorldTransform(t) * Inverse(parent));
        const LocalTransformParts parts = DecomposeLocalTransform(local);
        record.scale_samples[i] = StoredVector(parts.scale, quantise);
        record.rotate_samples[i] = StoredVector(parts.rotate, quantise);
        record.translate_samples[i] = StoredVector(parts.translate, quantise);
    }
}

void SampleVisibility(const Extraction& extraction, const HostNode& node, ExportNode& record) {
    const int frames = extraction.options.frames.count;
    record.visibility_samples.resize(frames);
    for (int i = 0; i < frames; ++i) {
        record.visibility_samples[i] = node.Visibility(SampleTime(extraction, i)) > 0.0f ? 1 : 0;
    }
    record.visible = frames > 0 && record.visibility_samples[0] == 1;
}

void SetStaticTransform(const Extraction& extraction, const HostNode& node, ExportNode& record) {
    if (extraction.options.frames.count <= 0) {
        record.scale = {1.0f, 1.0f, 1.0f};
        record.rotate = {};
        record.translate = {};
        return;
    }
    const Matrix3 reference = ReferenceTransform(extraction, &node);
    const Matrix3 parent_reference = ReferenceTransform(extraction, extraction.wrapper.Parent(&node));
    const LocalTransformParts parts = DecomposeLocalTransform(reference * Inverse(parent_reference));
    record.scale = StoredVector(parts.scale, true);
    record.rotate = StoredVector(parts.rotate, true);
    record.translate = StoredVector(parts.translate, true);
}

}  // namespace

AnimatedScene::AnimatedScene(Extraction& extraction)
    : extraction_(extraction), switched_(!extraction.deformation_off.empty()) {
    if (switched_) SwitchSkinDeformation(extraction_, true);
}

AnimatedScene::~AnimatedScene() {
    if (switched_) SwitchSkinDeformation(extraction_, false);
}

Matrix3 HostParentWorldTransform(const HostScene& scene, const HostNode& node, TimeValue t) {
    const HostNode* parent = node.Parent();
    if (parent == nullptr || parent == scene.Root()) return Matrix3::Identity();
    return parent->WorldTransform(t);
}

TimeValue SampleTime(const Extraction& extraction, int sample) {
    return (extraction.options.frames.start + sample) * extraction.host_scene.TicksPerFrame();
}

void SampleNode(Extraction& extraction, const HostNode& node, ExportNode& record, bool quantise_samples) {
    {
        const AnimatedScene animated(extraction);
        SampleTransforms(extraction, node, record, quantise_samples);
        SampleVisibility(extraction, node, record);
    }
    // The reference transforms need the scene at rest again.
    SetStaticTransform(extraction, node, record);
}

}  // namespace korvo
