#pragma once
// Modifiers of the memory scene: Skin, Morpher, Physique, and any other
// class by name. The scene does not deform meshes; switching a modifier off
// only records the switch.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;
class MemoryNode;

// A bone of a skin (or Physique) and its initial transform; without one,
// the bone's world transform at the start of the animation range.
struct MemoryBone {
    MemoryNode* node = nullptr;
    std::optional<Matrix3> initial_transform;
};

struct SkinWeight {
    int bone = 0;  // index into the skin's bones
    float weight = 0.0f;
};

class MemorySkin : public HostSkin {
public:
    std::vector<MemoryBone> bones;
    // One list per mesh vertex.
    std::vector<std::vector<SkinWeight>> weights;
    // Without one, the skinned node's world transform at the start.
    std::optional<Matrix3> initial_skin_transform;
    const MemoryScene* scene = nullptr;
    const MemoryNode* node = nullptr;  // the skinned node

    int VertexCount() const override { return static_cast<int>(weights.size()); }
    // -1 for every vertex of a skin with no bones, as the host reports it.
    int BoneCount(int vertex) const override;
    float Weight(int vertex, int bone) const override;
    HostNode* Bone(int vertex, int bone) const override;
    std::vector<HostNode*> Bones() const override;
    std::optional<Matrix3> InitialBoneTransform(const HostNode* bone) const override;
    std::optional<Matrix3> InitialSkinTransform() const override;

private:
    const SkinWeight* Entry(int vertex, int bone) const;
};

class MemoryMorpher : public HostMorpher {
public:
    // Channel index (0 .. kChannelCount-1) to weight track; absent channels are empty.
    std::map<int, Track<float>> channels;
    const MemoryScene* scene = nullptr;

    float ChannelValue(int channel, TimeValue t) const override;
};

enum class ModifierKind { Skin, Morpher, Physique, Other };

class MemoryModifier : public HostModifier {
public:
    ModifierKind kind = ModifierKind::Other;
    std::string name;
    std::string class_name;
    ClassId class_id;
    bool enabled = true;
    std::unique_ptr<MemorySkin> skin;        // kind Skin
    std::unique_ptr<MemoryMorpher> morpher;  // kind Morpher
    std::vector<MemoryBone> physique_bones;  // kind Physique
    const MemoryScene* scene = nullptr;

    // A modifier of a known kind with the host's class name and ID.
    static std::unique_ptr<MemoryModifier> Make(ModifierKind kind);
    // A modifier of another class, named by its class name.
    static std::unique_ptr<MemoryModifier> MakeOther(const std::string& class_name);

    std::string Name() const override { return name; }
    std::string ClassName() const override { return class_name; }
    ClassId GetClassId() const override { return class_id; }
    bool Enabled() const override { return enabled; }
    void SetEnabled(bool on) override { enabled = on; }
    HostSkin* Skin() override { return skin.get(); }
    HostMorpher* Morpher() override { return morpher.get(); }
    std::optional<Matrix3> PhysiqueInitialTransform(const HostNode* bone) const override;
};

}  // namespace korvo
