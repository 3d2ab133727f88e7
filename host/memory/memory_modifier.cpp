#include "host/memory/memory_modifier.h"

#include "host/memory/memory_node.h"
#include "host/memory/memory_scene.h"
#include "host/memory/named_class_id.h"

namespace korvo {

namespace {

std::optional<Matrix3> BoneInitialTransform(const std::vector<MemoryBone>& bones, const HostNode* bone,
                                            const MemoryScene* scene) {
    for (const MemoryBone& entry : bones) {
        if (entry.node == nullptr || entry.node != bone) continue;
        if (entry.initial_transform) return entry.initial_transform;
        return entry.node->WorldTransform(SceneStart(scene));
    }
    return std::nullopt;
}

}  // namespace

const SkinWeight* MemorySkin::Entry(int vertex, int bone) const {
    if (vertex < 0 || vertex >= VertexCount()) return nullptr;
    const std::vector<SkinWeight>& list = weights[vertex];
    if (bone < 0 || bone >= static_cast<int>(list.size())) return nullptr;
    return &list[bone];
}

int MemorySkin::BoneCount(int vertex) const {
    if (bones.empty()) return -1;
    if (vertex < 0 || vertex >= VertexCount()) return 0;
    return static_cast<int>(weights[vertex].size());
}

float MemorySkin::Weight(int vertex, int bone) const {
    const SkinWeight* entry = Entry(vertex, bone);
    return entry ? entry->weight : 0.0f;
}

HostNode* MemorySkin::Bone(int vertex, int bone) const {
    const SkinWeight* entry = Entry(vertex, bone);
    if (!entry || entry->bone < 0 || entry->bone >= static_cast<int>(bones.size())) return nullptr;
    return bones[entry->bone].node;
}

std::vector<HostNode*> MemorySkin::Bones() const {
    std::vector<HostNode*> nodes;
    for (const MemoryBone& bone : bones) nodes.push_back(bone.node);
    return nodes;
}

std::optional<Matrix3> MemorySkin::InitialBoneTransform(const HostNode* bone) const {
    return BoneInitialTransform(bones, bone, scene);
}

std::optional<Matrix3> MemorySkin::InitialSkinTransform() const {
    if (initial_skin_transform) return initial_skin_transform;
    if (!node) return std::nullopt;
    return node->WorldTransform(SceneStart(scene));
}

float MemoryMorpher::ChannelValue(int channel, TimeValue t) const {
    const auto found = channels.find(channel);
    return found == channels.end() ? 0.0f : found->second.At(SceneFrame(scene, t));
}

std::unique_ptr<MemoryModifier> MemoryModifier::Make(ModifierKind kind) {
    auto modifier = std::make_unique<MemoryModifier>();
    modifier->kind = kind;
    switch (kind) {
        case ModifierKind::Skin:
            modifier->class_name = "Skin";
            modifier->class_id = class_ids::kSkin;
            modifier->skin = std::make_unique<MemorySkin>();
            break;
        case ModifierKind::Morpher:
            modifier->class_name = "Morpher";
            modifier->class_id = class_ids::kMorpher;
            modifier->morpher = std::make_unique<MemoryMorpher>();
            break;
        case ModifierKind::Physique:
            modifier->class_name = "Physique";
            modifier->class_id = class_ids::kPhysique;
            break;
        case ModifierKind::Other:
            modifier->class_name = "Modifier";
            modifier->class_id = NamedClassId(modifier->class_name);
            break;
    }
    modifier->name = modifier->class_name;
    return modifier;
}

std::unique_ptr<MemoryModifier> MemoryModifier::MakeOther(const std::string& class_name) {
    auto modifier = Make(ModifierKind::Other);
    modifier->class_name = class_name;
    modifier->class_id = NamedClassId(class_name);
    modifier->name = class_name;
    return modifier;
}

std::optional<Matrix3> MemoryModifier::PhysiqueInitialTransform(const HostNode* bone) const {
    if (kind != ModifierKind::Physique) return std::nullopt;
    return BoneInitialTransform(physique_bones, bone, scene);
}

}  // namespace korvo
