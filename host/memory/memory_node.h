#pragma once
// A node of the memory scene. The scene owns every node; parent and child
// links are plain pointers. A node owns its mesh, modifiers, light and
// camera.

#include <memory>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/memory/memory_camera.h"
#include "host/memory/memory_light.h"
#include "host/memory/memory_mesh.h"
#include "host/memory/memory_modifier.h"
#include "host/memory/object_kind.h"
#include "host/memory/prs.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;
class MemoryMaterial;

class MemoryNode : public HostNode {
public:
    std::string name;
    int32_t id = 0;
    MemoryNode* parent = nullptr;  // nullptr for the scene root only
    std::vector<MemoryNode*> children;

    ObjectKind kind = ObjectKind::Helper;
    bool hidden = false;
    bool is_bone = false;
    bool biped = false;
    bool biped_reference_pose = false;
    bool nurbs_has_curve = false;
    bool vertex_color_display = false;
    std::string user_properties;

    // The local transform relative to the parent.
    Track<Point3> position = Track<Point3>::Constant(Point3{});
    Track<Quat> rotation = Track<Quat>::Constant(Quat{});
    Track<Point3> scale = Track<Point3>::Constant(Point3{1.0f, 1.0f, 1.0f});
    Track<float> visibility = Track<float>::Constant(1.0f);
    Prs object_offset;

    MemoryMaterial* material = nullptr;
    std::unique_ptr<MemoryMesh> mesh;
    std::vector<std::unique_ptr<MemoryModifier>> modifiers;  // top first
    std::unique_ptr<MemoryLight> light;
    std::unique_ptr<MemoryCamera> camera;
    const MemoryScene* scene = nullptr;

    // The local transform at a time: scale, then rotation, then position.
    Matrix3 LocalTransform(TimeValue t) const;

    std::string Name() const override { return name; }
    int32_t Id() const override { return id; }
    HostNode* Parent() const override { return parent; }
    std::vector<HostNode*> Children() const override;

    // Mesh-typed when the object can be a mesh and has one ("mesh" and
    // "bone_object" nodes are mesh-typed even without mesh data).
    ObjectType GetObjectType() const override;
    ClassId ObjectClassId() const override;
    bool IsTarget() const override { return kind == ObjectKind::Target; }
    bool IsHidden() const override { return hidden; }
    bool IsBone() const override { return is_bone; }
    bool IsBiped() const override { return biped; }
    void SetBipedReferencePose(bool on) override { biped_reference_pose = on; }

    std::optional<std::string> UserPropertyText(const std::string& key) const override;
    std::optional<bool> UserPropertyBool(const std::string& key) const override;

    // Local times the parent's world transform; the scene root is the identity.
    Matrix3 WorldTransform(TimeValue t) const override;
    Point3 ObjectOffsetPosition() const override { return object_offset.position; }
    Quat ObjectOffsetRotation() const override { return object_offset.rotation; }
    Point3 ObjectOffsetScale() const override { return object_offset.scale; }
    float Visibility(TimeValue t) const override;
    bool VertexColorDisplay() const override { return vertex_color_display; }

    HostMaterial* Material() const override;
    // Always the undeformed object-space mesh: this scene does not deform.
    const HostMesh* Mesh() const override { return mesh.get(); }
    std::vector<HostModifier*> Modifiers() const override;
    bool NurbsHasCurve() const override { return nurbs_has_curve; }
    HostLight* Light() const override { return light.get(); }
    HostCamera* Camera() const override { return camera.get(); }
};

}  // namespace korvo
