#pragma once
// The kinds of object a node of the memory scene can carry, with the host
// class ID each reports.

#include <optional>
#include <string>
#include <vector>

#include "host/host.h"

namespace korvo {

enum class ObjectKind {
    None,  // the scene root
    Mesh,
    Helper,
    BoneObject,  // the host's bone object: mesh-typed
    Bone,
    IkChain,
    Light,
    Camera,
    Target,
    NurbsCurve,
    NurbsSurface,
    NurbsObject,
};

// The name a scene document uses ("mesh", "bone_object", ...).
std::string ObjectKindName(ObjectKind kind);
std::optional<ObjectKind> ObjectKindFromName(const std::string& name);
// Every name a document may use, in declaration order.
std::vector<std::string> ObjectKindNames();

ClassId ObjectKindClassId(ObjectKind kind);
// Kinds whose object can be evaluated as a mesh.
bool ObjectKindCanHaveMesh(ObjectKind kind);

}  // namespace korvo
