#include "extract/unanchored_nodes.h"

#include <unordered_set>

#include "host/scene_wrapper.h"
#include "extract/animation_sampling.h"
#include "extract/local_transform.h"
#include "extract/node_extraction.h"

namespace korvo {

namespace {

void ReexpressInWorld(const Extraction& extraction, const HostNode& node, ExportNode& record) {
    const int frames = static_cast<int>(record.scale_samples.size());
    for (int i = 0; i < frames; ++i) {
        const TimeValue t = SampleTime(extraction, i);
        const Matrix3 local =
            ComposeLocalTransform(record.scale_samples[i], record.rotate_samples[i], record.translate_samples[i]);
        const Matrix3 parent = ZUpToYUp(HostParentWorldTransform(extraction.host_scene, node, t));
        const LocalTransformParts parts = DecomposeLocalTransform(local * parent);
        record.scale_samples[i] = StoredVector(parts.scale, true);
        record.rotate_samples[i] = StoredVector(parts.rotate, true);
        record.translate_samples[i] = StoredVector(parts.translate, true);
    }
}

}  // namespace

void ReexpressUnanchoredNodes(Extraction& extraction) {
    const HostScene& scene = extraction.host_scene;
    std::unordered_set<int32_t> exported;
    for (const ExportNode& record : extraction.scene.nodes) exported.insert(record.id);

    // The parents' transforms are read as animated, as the samples were.
    const AnimatedScene animated(extraction);
    for (ExportNode& record : extraction.scene.nodes) {
        const HostNode* node = scene.NodeById(record.id);
        if (node == nullptr || node == scene.Root()) continue;
        // Under the scene root the samples are world transforms already.
        if (node->Parent() == nullptr || node->Parent() == scene.Root()) continue;
        if (HasExportedAncestor(*node, exported)) continue;
        ReexpressInWorld(extraction, *node, record);
    }
}

}  // namespace korvo
