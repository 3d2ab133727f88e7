// Nodes: hierarchy, object kind, flags, transform and the records a node owns.

#include <limits>

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

Track<Quat> EulerTrack(const Track<Point3>& degrees) {
    Track<Quat> rotation;
    for (const TrackKey<Point3>& key : degrees.keys)
        rotation.keys.push_back({key.frame, EulerDegreesToQuat(key.value)});
    return rotation;
}

void ReadTransform(const Value& value, MemoryNode& node) {
    ObjectReader reader(value);
    Track<Point3> euler;
    reader.Read("position", node.position);
    const bool has_euler = reader.Read("rotation", euler);
    const bool has_quaternion = reader.Read("quaternion", node.rotation);
    reader.Read("scale", node.scale);
    reader.Finish();
    if (has_euler && has_quaternion) value.Fail("give \"rotation\" or \"quaternion\", not both");
    if (has_euler) node.rotation = EulerTrack(euler);
}

ObjectKind ReadObjectKind(const Value& value) {
    std::string name;
    ReadValue(value, name);
    if (const std::optional<ObjectKind> kind = ObjectKindFromName(name)) return *kind;
    std::string known;
    for (const std::string& each : ObjectKindNames()) known += (known.empty() ? "" : ", ") + each;
    value.Fail("unknown object \"" + name + "\"; expected one of " + known);
}

void ReadNode(const Value& value, MemoryNode* parent, int depth) {
    Context& context = value.context();
    MemoryNode& node = context.scene.AddNode(parent, "");
    ObjectReader reader(value);
    std::optional<ObjectKind> kind;
    reader.Require("name", node.name);
    reader.ReadWith("id", [&node, &context](const Value& id) {
        node.id = ReadInt(id, 1, std::numeric_limits<int32_t>::max());
        const auto [earlier, fresh] = context.node_id_paths.emplace(node.id, id.path());
        if (!fresh) id.Fail("duplicate node id " + std::to_string(node.id) + " (also at " + earlier->second + ")");
    });
    reader.ReadWith("object", [&kind](const Value& object) { kind = ReadObjectKind(object); });
    reader.Read("hidden", node.hidden);
    reader.Read("is_bone", node.is_bone);
    reader.Read("biped", node.biped);
    const bool has_curve = reader.Read("has_curve", node.nurbs_has_curve);
    reader.Read("user_properties", node.user_properties);
    reader.ReadWith("transform", [&node](const Value& transform) { ReadTransform(transform, node); });
    reader.Read("visibility", node.visibility);
    reader.ReadWith("object_offset", [&node](const Value& offset) { node.object_offset = ReadPrs(offset); });
    reader.Read("vertex_color_display", node.vertex_color_display);
    reader.ReadWith("material", [&node, &context](const Value& material) {
        std::string name;
        ReadValue(material, name);
        const auto found = context.materials_by_name.find(name);
        if (found == context.materials_by_name.end()) material.Fail("no material named \"" + name + "\"");
        if (found->second.size() > 1) {
            material.Fail("material name \"" + name + "\" is ambiguous (" + std::to_string(found->second.size()) +
                          " materials)");
        }
        node.material = found->second.front();
    });
    const bool has_mesh = reader.ReadWith("mesh", [&node](const Value& mesh) { node.mesh = ReadMesh(mesh); });
    reader.ReadWith("modifiers", [&node](const Value& modifiers) { ReadModifiers(modifiers, node); });
    const bool has_light = reader.ReadWith("light", [&node](const Value& light) {
        node.light = std::make_unique<MemoryLight>();
        ReadLight(light, *node.light);
    });
    const bool has_camera = reader.ReadWith("camera", [&node](const Value& camera) {
        node.camera = std::make_unique<MemoryCamera>();
        ReadCamera(camera, *node.camera);
    });
    reader.ReadWith("children", [&node, depth](const Value& children) {
        if (depth + 1 >= kMaxNodeDepth) {
            children.Fail("nodes nested deeper than " + std::to_string(kMaxNodeDepth) + " levels");
        }
        ReadNodes(children, &node, depth + 1);
    });
    reader.Finish();

    node.kind = kind.value_or(has_mesh ? ObjectKind::Mesh : ObjectKind::Helper);
    const std::string quoted_kind = "a node with object \"" + ObjectKindName(node.kind) + "\"";
    if (has_mesh && !ObjectKindCanHaveMesh(node.kind)) {
        value.Member("mesh").Fail(quoted_kind + " cannot have a mesh");
    }
    if (has_light && node.kind != ObjectKind::Light) value.Member("light").Fail(quoted_kind + " cannot have a light");
    if (has_camera && node.kind != ObjectKind::Camera) {
        value.Member("camera").Fail(quoted_kind + " cannot have a camera");
    }
    if (has_curve && node.kind != ObjectKind::NurbsObject) {
        value.Member("has_curve").Fail("only a \"nurbs_object\" node has \"has_curve\"");
    }
    if (node.kind == ObjectKind::Light && !node.light) node.light = std::make_unique<MemoryLight>();
    if (node.kind == ObjectKind::Camera && !node.camera) node.camera = std::make_unique<MemoryCamera>();
}

}  // namespace

void ReadNodes(const Value& nodes, MemoryNode* parent, int depth) {
    ForEachElement(nodes, [parent, depth](const Value& node, std::size_t) { ReadNode(node, parent, depth); });
}

void ReadNodeReference(const Value& value, std::function<void(MemoryNode*)> set) {
    NodeReference reference;
    reference.path = value.path();
    reference.set = std::move(set);
    if (value.json().is_string()) {
        reference.name = value.json().get<std::string>();
    } else if (value.json().is_number()) {
        reference.id = ReadInt(value, 1, std::numeric_limits<int32_t>::max());
    } else {
        value.Fail("expected a node name or id, found " + Describe(value.json()));
    }
    value.context().node_references.push_back(std::move(reference));
}

Prs ReadPrs(const Value& value) {
    Prs prs;
    Point3 euler;
    ObjectReader reader(value);
    reader.Read("position", prs.position);
    const bool has_euler = reader.Read("rotation", euler);
    const bool has_quaternion = reader.Read("quaternion", prs.rotation);
    reader.Read("scale", prs.scale);
    reader.Finish();
    if (has_euler && has_quaternion) value.Fail("give \"rotation\" or \"quaternion\", not both");
    if (has_euler) prs.rotation = EulerDegreesToQuat(euler);
    return prs;
}

Matrix3 ReadStaticTransform(const Value& value) { return PrsMatrix(ReadPrs(value)); }

}  // namespace korvo::document
