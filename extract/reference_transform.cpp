#include "extract/reference_transform.h"

#include <optional>

#include "extract/skin_deformation.h"

namespace korvo {

namespace {

bool IsBoneNode(const HostNode& node) {
    return node.IsBone() || node.ObjectClassId() == class_ids::kBoneObject;
}

// The initial transform of a bone as the first skinned node of the scene
// (in hierarchy order) that binds it gives it: Physique before Skin on
// each node. Host Z-up axes.
std::optional<Matrix3> BoneInitialTransform(const HostScene& scene, const HostNode& bone) {
    std::vector<const HostNode*> pending{scene.Root()};
    while (!pending.empty()) {
        const HostNode* walked = pending.back();
        pending.pop_back();
        const std::vector<HostModifier*> modifiers = walked->Modifiers();
        for (const HostModifier* modifier : modifiers) {
            if (modifier->GetClassId() != class_ids::kPhysique) continue;
            if (std::optional<Matrix3> initial = modifier->PhysiqueInitialTransform(&bone)) return initial;
        }
        if (HostModifier* skin = FindSkinModifier(*walked)) {
            if (std::optional<Matrix3> initial = skin->Skin()->InitialBoneTransform(&bone)) return initial;
        }
        const std::vector<HostNode*> children = walked->Children();
        for (auto child = children.rbegin(); child != children.rend(); ++child) pending.push_back(*child);
    }
    return std::nullopt;
}

}  // namespace

Matrix3 ReferenceTransform(const Extraction& extraction, const HostNode* node) {
    if (!node) return Matrix3::Identity();
    std::optional<Matrix3> initial;
    if (IsBoneNode(*node)) {
        initial = BoneInitialTransform(extraction.host_scene, *node);
    } else if (HostModifier* skin = FindSkinModifier(*node)) {
        initial = skin->Skin()->InitialSkinTransform();
    }
    // Skin and Physique speak the host's Z-up axes; the wrapper's transform
    // is already in the exported ones.
    if (initial) return ZUpToYUp(*initial);
    const TimeValue start = extraction.options.frames.start * extraction.wrapper.TicksPerFrame();
    return extraction.wrapper.WorldTransform(node, start);
}

}  // namespace korvo
