#include "host/memory/object_kind.h"

#include <array>

namespace korvo {

namespace {

struct KindInfo {
    ObjectKind kind;
    const char* name;
    ClassId class_id;
    bool can_have_mesh;
};

// Class IDs the exporter does not test are the host's usual ones; nothing
// relies on them beyond being distinct.
constexpr std::array<KindInfo, 12> kKinds{{
    {ObjectKind::None, "none", ClassId{0, 0}, false},
    {ObjectKind::Mesh, "mesh", class_ids::kPolygonObject, true},
    {ObjectKind::Helper, "helper", ClassId{0x00876234, 0}, false},
    {ObjectKind::BoneObject, "bone_object", class_ids::kBoneObject, true},
    {ObjectKind::Bone, "bone", ClassId{0x28BF6E8D, 0x2ECCA840}, false},
    {ObjectKind::IkChain, "ik_chain", ClassId{0x00AD6C4B, 0x3AC1F5D8}, false},
    {ObjectKind::Light, "light", ClassId{0x00001013, 0}, false},
    {ObjectKind::Camera, "camera", ClassId{0x00001002, 0}, false},
    {ObjectKind::Target, "target", ClassId{0x00001020, 0}, false},
    {ObjectKind::NurbsCurve, "nurbs_curve", class_ids::kNurbsCurveA, false},
    {ObjectKind::NurbsSurface, "nurbs_surface", class_ids::kNurbsSurface, true},
    {ObjectKind::NurbsObject, "nurbs_object", class_ids::kNurbsObject, true},
}};

const KindInfo& Info(ObjectKind kind) {
    for (const KindInfo& info : kKinds) {
        if (info.kind == kind) return info;
    }
    return kKinds[0];
}

}  // namespace

std::string ObjectKindName(ObjectKind kind) { return Info(kind).name; }

std::optional<ObjectKind> ObjectKindFromName(const std::string& name) {
    for (const KindInfo& info : kKinds) {
        if (info.kind != ObjectKind::None && name == info.name) return info.kind;
    }
    return std::nullopt;
}

std::vector<std::string> ObjectKindNames() {
    std::vector<std::string> names;
    for (const KindInfo& info : kKinds) {
        if (info.kind != ObjectKind::None) names.emplace_back(info.name);
    }
    return names;
}

ClassId ObjectKindClassId(ObjectKind kind) { return Info(kind).class_id; }

bool ObjectKindCanHaveMesh(ObjectKind kind) { return Info(kind).can_have_mesh; }

}  // namespace korvo
