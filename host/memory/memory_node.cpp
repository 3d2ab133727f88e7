#include "host/memory/memory_node.h"

#include "host/memory/memory_material.h"
#include "host/memory/memory_scene.h"
#include "host/memory/user_properties.h"

namespace korvo {

Matrix3 MemoryNode::LocalTransform(TimeValue t) const {
    const double frame = SceneFrame(scene, t);
    return PrsMatrix(position.At(frame), rotation.At(frame), scale.At(frame));
}

std::vector<HostNode*> MemoryNode::Children() const { return {children.begin(), children.end()}; }

ObjectType MemoryNode::GetObjectType() const {
    switch (kind) {
        case ObjectKind::Mesh:
        case ObjectKind::BoneObject:
            return ObjectType::Mesh;
        case ObjectKind::NurbsSurface:
        case ObjectKind::NurbsObject:
            return mesh ? ObjectType::Mesh : ObjectType::Unknown;
        case ObjectKind::Helper:
            return ObjectType::Helper;
        case ObjectKind::Bone:
            return ObjectType::Bone;
        case ObjectKind::IkChain:
            return ObjectType::IkChain;
        case ObjectKind::Light:
            return ObjectType::Light;
        case ObjectKind::Camera:
            return ObjectType::Camera;
        case ObjectKind::None:
        case ObjectKind::Target:
        case ObjectKind::NurbsCurve:
            return ObjectType::Unknown;
    }
    return ObjectType::Unknown;
}

ClassId MemoryNode::ObjectClassId() const { return ObjectKindClassId(kind); }

std::optional<std::string> MemoryNode::UserPropertyText(const std::string& key) const {
    return korvo::UserPropertyText(user_properties, key);
}

std::optional<bool> MemoryNode::UserPropertyBool(const std::string& key) const {
    return korvo::UserPropertyBool(user_properties, key);
}

Matrix3 MemoryNode::WorldTransform(TimeValue t) const {
    if (parent == nullptr) return Matrix3::Identity();
    Matrix3 world = LocalTransform(t);
    for (const MemoryNode* up = parent; up != nullptr && up->parent != nullptr; up = up->parent) {
        world = world * up->LocalTransform(t);
    }
    return world;
}

float MemoryNode::Visibility(TimeValue t) const { return visibility.At(SceneFrame(scene, t)); }

HostMaterial* MemoryNode::Material() const { return material; }

std::vector<HostModifier*> MemoryNode::Modifiers() const {
    std::vector<HostModifier*> stack;
    for (const auto& modifier : modifiers) stack.push_back(modifier.get());
    return stack;
}

}  // namespace korvo
