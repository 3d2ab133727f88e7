#include "extract/skin_extraction.h"

#include <algorithm>
#include <unordered_map>

#include "core/format.h"
#include "extract/reference_transform.h"
#include "extract/skin_deformation.h"

namespace korvo {

namespace {

constexpr double kKeptWeight = 0.001;
constexpr double kFullWeight = 0.999;

// A vertex without a usable bone hangs on the mesh node itself.
void HangOnMeshNode(SkinEntry& entry, int32_t node_id) {
    entry.weights[0] = 1.0f;
    entry.nodes[0] = node_id;
    entry.slots[0] = 0;
    entry.last_slot = 0;
    entry.count = 0;
}

// Reads one vertex; true when it is weighted correctly.
bool ReadVertex(const HostSkin& skin, int vertex, int32_t mesh_node_id, SkinEntry& entry) {
    const int bone_count = std::max(skin.BoneCount(vertex), 0);
    const std::size_t length = static_cast<std::size_t>(std::max(bone_count, 1));
    entry.weights.assign(length, 0.0f);
    entry.nodes.assign(length, -1);
    entry.slots.assign(length, -1);
    entry.count = 0;
    entry.last_slot = -1;
    if (bone_count == 0) {
        HangOnMeshNode(entry, mesh_node_id);
        return false;
    }

    float sum = 0.0f;
    int kept = 0;
    bool collapsed = false;
    for (int slot = 0; slot < bone_count; ++slot) {
        const float weight = skin.Weight(vertex, slot);
        sum += weight;
        if (!(weight > kKeptWeight)) continue;
        const HostNode* bone = skin.Bone(vertex, slot);
        const int32_t bone_id = bone ? bone->Id() : -1;
        entry.last_slot = slot;
        if (weight >= kFullWeight) {
            // A (nearly) full weight makes the vertex hang on this bone alone.
            entry.weights[0] = weight;
            entry.nodes[0] = bone_id;
            entry.slots[0] = slot;
            entry.count = 1;
            collapsed = true;
            break;
        }
        entry.weights[static_cast<std::size_t>(kept)] = weight;
        entry.nodes[static_cast<std::size_t>(kept)] = bone_id;
        entry.slots[static_cast<std::size_t>(kept)] = slot;
        ++kept;
    }
    if (!collapsed) entry.count = kept;
    bool correct = sum >= kFullWeight;
    if (entry.count == 0) {
        HangOnMeshNode(entry, mesh_node_id);
        correct = false;
    }
    return correct;
}

// Position and normal transforms of the vertices that hang on one bone.
struct BoneSpace {
    Matrix3 position;
    Matrix3 normal;
};

BoneSpace MakeBoneSpace(const Matrix3& to_world, const Matrix3& bone_reference) {
    const Matrix3 position = to_world * Inverse(bone_reference);
    return {position, Transpose3(Inverse(position))};
}

}  // namespace

const HostSkin* NodeSkin(const HostNode& node) {
    HostModifier* modifier = FindSkinModifier(node);
    return modifier ? modifier->Skin() : nullptr;
}

bool SkinHasBones(const HostSkin& skin, int vertex_count) {
    for (int v = 0; v < vertex_count; ++v) {
        if (skin.BoneCount(v) < 0) return false;
    }
    return true;
}

bool ReadSkinWeights(Extraction& extraction, const HostNode& node, const HostSkin& skin, ExportPolygon& polygon) {
    const int vertex_count = static_cast<int>(polygon.positions.size());
    polygon.skin.assign(polygon.positions.size(), SkinEntry{});
    int first_wrong = -1;
    for (int v = 0; v < vertex_count; ++v) {
        const bool correct = ReadVertex(skin, v, node.Id(), polygon.skin[static_cast<std::size_t>(v)]);
        if (!correct && first_wrong < 0) first_wrong = v;
    }
    if (first_wrong < 0) return true;
    extraction.diagnostics.Error(Format("Wrong weighted vertices exist. %s %s", node.Name().c_str(),
                                        Format("( vertex %d )", first_wrong).c_str()),
                                 "Wrong weighted vertices");
    return false;
}

void ForceFullWeight(std::vector<SkinEntry>& entries) {
    for (SkinEntry& entry : entries) {
        if (entry.count <= 1) continue;
        std::size_t heaviest = 0;
        for (std::size_t i = 1; i < static_cast<std::size_t>(entry.count); ++i) {
            if (entry.weights[i] > entry.weights[heaviest]) heaviest = i;
        }
        entry.weights[0] = 1.0f;
        entry.nodes[0] = entry.nodes[heaviest];
        entry.slots[0] = entry.slots[heaviest];
        entry.last_slot = entry.slots[heaviest];
        entry.count = 1;
    }
}

void ConvertToBoneSpace(const Extraction& extraction, const HostNode& node, const HostSkin& skin,
                        ExportPolygon& polygon) {
    const Matrix3 to_world = ReferenceTransform(extraction, &node);
    const Matrix3 blended_normal = Transpose3(Inverse(to_world));
    // Reference transforms walk the scene; every bone is looked up once.
    std::unordered_map<const HostNode*, BoneSpace> bone_spaces;
    auto single_bone_space = [&](std::size_t vertex) -> const BoneSpace& {
        const SkinEntry& entry = polygon.skin[vertex];
        const HostNode* bone = entry.last_slot >= 0 ? skin.Bone(static_cast<int>(vertex), entry.last_slot) : nullptr;
        auto found = bone_spaces.find(bone);
        if (found == bone_spaces.end()) {
            found = bone_spaces.emplace(bone, MakeBoneSpace(to_world, ReferenceTransform(extraction, bone))).first;
        }
        return found->second;
    };

    for (std::size_t v = 0; v < polygon.positions.size() && v < polygon.skin.size(); ++v) {
        if (polygon.skin[v].count >= 2) continue;
        const Vec3& p = polygon.positions[v];
        const Point3 moved = Point3{p.x, p.y, p.z} * single_bone_space(v).position;
        polygon.positions[v] = {moved.x, moved.y, moved.z};
    }

    std::vector<bool> converted(polygon.normals.size(), false);
    auto convert = [&](uint16_t position, uint16_t normal) {
        if (normal >= converted.size() || converted[normal] || position >= polygon.skin.size()) return;
        converted[normal] = true;
        const Matrix3& transform =
            polygon.skin[position].count < 2 ? single_bone_space(position).normal : blended_normal;
        Vec3& n = polygon.normals[normal];
        const Point3 turned = Normalize(VectorTransform(transform, Point3{n.x, n.y, n.z}));
        n = {turned.x, turned.y, turned.z};
    };
    for (const NTriFace& face : polygon.triangles) {
        for (std::size_t c = 0; c < face.kCorners; ++c) convert(face.position[c], face.normal[c]);
    }
    for (const NQuadFace& face : polygon.quads) {
        for (std::size_t c = 0; c < face.kCorners; ++c) convert(face.position[c], face.normal[c]);
    }
}

bool ExtractSkin(Extraction& extraction, const HostNode& node, ExportPolygon& polygon) {
    const HostSkin* skin = NodeSkin(node);
    if (!skin) return true;
    if (!SkinHasBones(*skin, static_cast<int>(polygon.positions.size()))) {
        extraction.diagnostics.Warn("Warning: Skinning modifier applied to node \"" + node.Name() +
                                    "\" with no bones attached.");
        return true;
    }
    if (!ReadSkinWeights(extraction, node, *skin, polygon)) return false;
    if (extraction.options.force_full_weight) ForceFullWeight(polygon.skin);
    ConvertToBoneSpace(extraction, node, *skin, polygon);
    return true;
}

}  // namespace korvo
