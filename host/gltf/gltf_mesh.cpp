#include <algorithm>
#include <array>
#include <cmath>

#include "host/gltf/gltf_accessor.h"
#include "host/gltf/gltf_axes.h"
#include "host/gltf/gltf_build.h"
#include "host/gltf/gltf_tracks.h"

namespace korvo::gltf {

namespace {

using Triangle = std::array<int, 3>;

struct PrimitiveData {
    std::vector<Point3> positions;
    std::vector<Point3> normals;  // empty: flat normals are made
    std::vector<Point3> colors;
    std::vector<Point3> uvs;
    std::vector<Triangle> triangles;
    std::vector<std::vector<SkinWeight>> weights;  // empty without JOINTS_0
    int material = -1;
};

struct MeshData {
    std::unique_ptr<MemoryMesh> mesh;
    std::vector<int> materials;  // glTF material of each material id
    std::vector<std::vector<SkinWeight>> weights;
    bool has_joints = false;
    bool has_colors = false;
    int target_count = 0;
};

int AttributeAccessor(const std::map<std::string, int>& attributes, const std::string& name) {
    const auto found = attributes.find(name);
    return found == attributes.end() ? -1 : found->second;
}

std::vector<Point3> ToPoints(const std::vector<double>& xyz) {
    std::vector<Point3> points(xyz.size() / 3);
    for (std::size_t i = 0; i < points.size(); ++i) points[i] = HostPoint(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]);
    return points;
}

std::vector<double> ReadVertexVectors(const GltfSource& source, int accessor, const std::string& where,
                                      std::size_t vertex_count) {
    AccessorValues values = ReadAccessor(source, accessor, where, {3});
    if (values.count() != vertex_count) {
        source.Fail(where, "has " + std::to_string(values.count()) + " elements for " + std::to_string(vertex_count) +
                               " vertices");
    }
    return std::move(values.values);
}

std::vector<int> ReadIndices(const GltfSource& source, int accessor, const std::string& where,
                             std::size_t vertex_count) {
    const AccessorValues values = ReadAccessor(source, accessor, where, {1});
    const int type = source.model.accessors[accessor].componentType;
    if (type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_BYTE && type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_SHORT &&
        type != TINYGLTF_COMPONENT_TYPE_UNSIGNED_INT) {
        source.Fail(where, "indices must be unsigned integers");
    }
    std::vector<int> indices(values.values.size());
    for (std::size_t i = 0; i < indices.size(); ++i) {
        const double index = values.values[i];
        if (!(index >= 0.0 && index < static_cast<double>(vertex_count)) || index != std::floor(index)) {
            source.Fail(where, "index " + NumberText(index) + " is not one of the " + std::to_string(vertex_count) +
                                   " vertices");
        }
        indices[i] = static_cast<int>(index);
    }
    return indices;
}

bool Degenerate(const Triangle& t) { return t[0] == t[1] || t[1] == t[2] || t[0] == t[2]; }

std::vector<Triangle> Triangles(const std::vector<int>& v, int mode) {
    std::vector<Triangle> triangles;
    if (mode == TINYGLTF_MODE_TRIANGLES) {
        for (std::size_t i = 0; i + 2 < v.size(); i += 3) triangles.push_back({v[i], v[i + 1], v[i + 2]});
    } else if (mode == TINYGLTF_MODE_TRIANGLE_STRIP) {
        for (std::size_t i = 0; i + 2 < v.size(); ++i) {
            const Triangle t = i % 2 == 0 ? Triangle{v[i], v[i + 1], v[i + 2]} : Triangle{v[i], v[i + 2], v[i + 1]};
            if (!Degenerate(t)) triangles.push_back(t);
        }
    } else {
        for (std::size_t i = 0; i + 2 < v.size(); ++i) {
            const Triangle t{v[i + 1], v[i + 2], v[0]};
            if (!Degenerate(t)) triangles.push_back(t);
        }
    }
    return triangles;
}

// The JOINTS_n / WEIGHTS_n sets of a primitive merged per vertex.
std::vector<std::vector<SkinWeight>> ReadWeights(const GltfSource& source, const tinygltf::Primitive& primitive,
                                                 const std::string& where, std::size_t vertex_count,
                                                 std::size_t joint_count) {
    std::vector<std::vector<SkinWeight>> weights;
    for (int set = 0;; ++set) {
        const int joints_accessor = AttributeAccessor(primitive.attributes, "JOINTS_" + std::to_string(set));
        const int weights_accessor = AttributeAccessor(primitive.attributes, "WEIGHTS_" + std::to_string(set));
        if (joints_accessor < 0 || weights_accessor < 0) break;
        const std::string joints_where = where + ".attributes.JOINTS_" + std::to_string(set);
        const std::string weights_where = where + ".attributes.WEIGHTS_" + std::to_string(set);
        const AccessorValues joints = ReadAccessor(source, joints_accessor, joints_where, {4});
        const AccessorValues amounts = ReadAccessor(source, weights_accessor, weights_where, {4});
        if (joints.count() != vertex_count || amounts.count() != vertex_count) {
            source.Fail(where, "JOINTS_" + std::to_string(set) + " and WEIGHTS_" + std::to_string(set) +
                                   " must have one element per vertex (" + std::to_string(vertex_count) + ")");
        }
        weights.resize(vertex_count);
        for (std::size_t v = 0; v < vertex_count; ++v) {
            for (int c = 0; c < 4; ++c) {
                const double amount = amounts.at(v, c);
                if (!(amount > 0.0)) continue;
                const double joint = joints.at(v, c);
                if (!(joint >= 0.0 && joint < static_cast<double>(joint_count))) {
                    source.Fail(joints_where, "joint " + NumberText(joint) + " of vertex " + std::to_string(v) +
                                                  " is not one of the skin's " + std::to_string(joint_count) +
                                                  " joints");
                }
                const int bone = static_cast<int>(joint);
                auto same = std::find_if(weights[v].begin(), weights[v].end(),
                                         [bone](const SkinWeight& w) { return w.bone == bone; });
                if (same != weights[v].end()) {
                    same->weight += static_cast<float>(amount);
                } else {
                    weights[v].push_back(SkinWeight{bone, static_cast<float>(amount)});
                }
            }
        }
    }
    return weights;
}

std::optional<PrimitiveData> ReadPrimitive(const GltfSource& source, const tinygltf::Primitive& primitive,
                                           const std::string& where, const std::vector<double>& morph_weights,
                                           std::size_t joint_count) {
    const int mode = primitive.mode < 0 ? TINYGLTF_MODE_TRIANGLES : primitive.mode;
    if (mode != TINYGLTF_MODE_TRIANGLES && mode != TINYGLTF_MODE_TRIANGLE_STRIP && mode != TINYGLTF_MODE_TRIANGLE_FAN) {
        source.Warn(where, mode <= TINYGLTF_MODE_LINE_STRIP
                               ? "points and lines are not exported; the primitive is skipped"
                               : "unknown mode " + std::to_string(mode) + "; the primitive is skipped");
        return std::nullopt;
    }
    const int position_accessor = AttributeAccessor(primitive.attributes, "POSITION");
    if (position_accessor < 0) {
        source.Warn(where, "no POSITION attribute; the primitive is skipped");
        return std::nullopt;
    }
    std::vector<double> positions = ReadAccessor(source, position_accessor, where + ".attributes.POSITION", {3}).values;
    const std::size_t count = positions.size() / 3;
    std::vector<double> normals;
    if (const int accessor = AttributeAccessor(primitive.attributes, "NORMAL"); accessor >= 0) {
        normals = ReadVertexVectors(source, accessor, where + ".attributes.NORMAL", count);
    }
    // The mesh is read at its static morph weights.
    for (std::size_t t = 0; t < primitive.targets.size() && t < morph_weights.size(); ++t) {
        if (morph_weights[t] == 0.0) continue;
        const std::string target_where = where + ".targets[" + std::to_string(t) + "]";
        for (auto [name, values] : {std::pair{"POSITION", &positions}, std::pair{"NORMAL", &normals}}) {
            const int accessor = AttributeAccessor(primitive.targets[t], name);
            if (accessor < 0 || values->empty()) continue;
            const std::vector<double> deltas = ReadVertexVectors(source, accessor, target_where + "." + name, count);
            for (std::size_t i = 0; i < deltas.size(); ++i) (*values)[i] += morph_weights[t] * deltas[i];
        }
    }

    PrimitiveData data;
    data.material = primitive.material;
    data.positions = ToPoints(positions);
    data.normals = ToPoints(normals);
    for (Point3& n : data.normals) n = Normalize(n);
    if (const int accessor = AttributeAccessor(primitive.attributes, "COLOR_0"); accessor >= 0) {
        const AccessorValues colors = ReadAccessor(source, accessor, where + ".attributes.COLOR_0", {3, 4});
        if (colors.count() != count) source.Fail(where + ".attributes.COLOR_0", "must have one element per vertex");
        for (std::size_t v = 0; v < count; ++v) {
            data.colors.push_back(Point3{static_cast<float>(colors.at(v, 0)), static_cast<float>(colors.at(v, 1)),
                                         static_cast<float>(colors.at(v, 2))});
        }
    }
    if (const int accessor = AttributeAccessor(primitive.attributes, "TEXCOORD_0"); accessor >= 0) {
        const AccessorValues uvs = ReadAccessor(source, accessor, where + ".attributes.TEXCOORD_0", {2});
        if (uvs.count() != count) source.Fail(where + ".attributes.TEXCOORD_0", "must have one element per vertex");
        // glTF's texture origin is the top left corner, the host's the bottom left.
        for (std::size_t v = 0; v < count; ++v) {
            data.uvs.push_back(Point3{static_cast<float>(uvs.at(v, 0)), static_cast<float>(1.0 - uvs.at(v, 1)), 0.0f});
        }
    }
    std::vector<int> indices;
    if (primitive.indices >= 0) {
        indices = ReadIndices(source, primitive.indices, where + ".indices", count);
    } else {
        for (std::size_t v = 0; v < count; ++v) indices.push_back(static_cast<int>(v));
    }
    data.triangles = Triangles(indices, mode);
    if (joint_count > 0) data.weights = ReadWeights(source, primitive, where, count, joint_count);
    return data;
}

// One polygon corner list per kind, offset into the mesh's shared lists.
void AppendPrimitive(const PrimitiveData& data, int material_id, bool mesh_has_uvs, bool mesh_has_colors,
                     MeshData& out) {
    MemoryMesh& mesh = *out.mesh;
    const int base = static_cast<int>(mesh.vertices.size());
    mesh.vertices.insert(mesh.vertices.end(), data.positions.begin(), data.positions.end());
    const int normal_base = static_cast<int>(mesh.normals.size());
    mesh.normals.insert(mesh.normals.end(), data.normals.begin(), data.normals.end());
    const int uv_base = static_cast<int>(mesh.tex_vertices.size());
    if (mesh_has_uvs) {
        if (data.uvs.empty()) {
            mesh.tex_vertices.push_back(Point3{});
        } else {
            mesh.tex_vertices.insert(mesh.tex_vertices.end(), data.uvs.begin(), data.uvs.end());
        }
    }
    const int color_base = static_cast<int>(mesh.color_vertices.size());
    if (mesh_has_colors) {
        if (data.colors.empty()) {
            mesh.color_vertices.push_back(Point3{1.0f, 1.0f, 1.0f});
        } else {
            mesh.color_vertices.insert(mesh.color_vertices.end(), data.colors.begin(), data.colors.end());
        }
    }
    for (const Triangle& t : data.triangles) {
        MemoryPolygon polygon;
        polygon.material_id = material_id;
        int flat_normal = -1;
        if (data.normals.empty()) {
            const Point3 a = data.positions[t[0]], b = data.positions[t[1]], c = data.positions[t[2]];
            flat_normal = static_cast<int>(mesh.normals.size());
            mesh.normals.push_back(Normalize(CrossProd(b - a, c - b)));
        }
        for (int corner : t) {
            polygon.position.push_back(base + corner);
            polygon.normal.push_back(flat_normal >= 0 ? flat_normal : normal_base + corner);
            if (mesh_has_uvs) polygon.tex.push_back(data.uvs.empty() ? uv_base : uv_base + corner);
            if (mesh_has_colors) polygon.color.push_back(data.colors.empty() ? color_base : color_base + corner);
        }
        mesh.polygons.push_back(std::move(polygon));
    }
    if (!data.weights.empty()) {
        out.weights.insert(out.weights.end(), data.weights.begin(), data.weights.end());
        out.has_joints = true;
    } else {
        out.weights.resize(out.weights.size() + data.positions.size());
    }
}

MeshData ReadMesh(const GltfSource& source, int mesh_index, const std::vector<double>& morph_weights,
                  std::size_t joint_count) {
    const tinygltf::Mesh& mesh = source.model.meshes[mesh_index];
    const std::string where = "meshes[" + std::to_string(mesh_index) + "]";
    std::vector<PrimitiveData> primitives;
    MeshData out;
    for (std::size_t p = 0; p < mesh.primitives.size(); ++p) {
        const tinygltf::Primitive& primitive = mesh.primitives[p];
        out.target_count = std::max(out.target_count, static_cast<int>(primitive.targets.size()));
        const std::string primitive_where = where + ".primitives[" + std::to_string(p) + "]";
        if (primitive.material >= 0) {
            CheckIndex(source, primitive_where + ".material", primitive.material, source.model.materials.size(),
                       "material");
        }
        if (auto data = ReadPrimitive(source, primitive, primitive_where, morph_weights, joint_count)) {
            primitives.push_back(std::move(*data));
        }
    }
    bool has_uvs = false;
    for (const PrimitiveData& data : primitives) {
        has_uvs = has_uvs || !data.uvs.empty();
        out.has_colors = out.has_colors || !data.colors.empty();
    }
    out.mesh = std::make_unique<MemoryMesh>();
    for (const PrimitiveData& data : primitives) {
        auto id = std::find(out.materials.begin(), out.materials.end(), data.material);
        if (id == out.materials.end()) id = out.materials.insert(out.materials.end(), data.material);
        AppendPrimitive(data, static_cast<int>(id - out.materials.begin()), has_uvs, out.has_colors, out);
    }
    return out;
}

std::vector<double> StaticMorphWeights(const tinygltf::Node& node, const tinygltf::Mesh& mesh) {
    return node.weights.empty() ? mesh.weights : node.weights;
}

std::unique_ptr<MemoryModifier> MakeSkin(GltfBuild& build, int skin_index, const MeshData& data) {
    const GltfSource& source = build.source;
    const tinygltf::Skin& skin = source.model.skins[skin_index];
    const std::string where = "skins[" + std::to_string(skin_index) + "]";
    std::vector<Matrix3> inverse_binds(skin.joints.size(), Matrix3::Identity());
    if (skin.inverseBindMatrices >= 0) {
        const AccessorValues matrices =
            ReadAccessor(source, skin.inverseBindMatrices, where + ".inverseBindMatrices", {16});
        if (matrices.count() < skin.joints.size()) {
            source.Fail(where + ".inverseBindMatrices", "has " + std::to_string(matrices.count()) + " matrices for " +
                                                            std::to_string(skin.joints.size()) + " joints");
        }
        for (std::size_t j = 0; j < skin.joints.size(); ++j) {
            std::array<double, 16> m{};
            std::copy_n(matrices.values.begin() + j * 16, 16, m.begin());
            inverse_binds[j] = HostMatrix(m);
        }
    }
    auto modifier = MemoryModifier::Make(ModifierKind::Skin);
    MemorySkin& host_skin = *modifier->skin;
    for (std::size_t j = 0; j < skin.joints.size(); ++j) {
        // The bind pose is the joint's world transform the inverse bind matrix undoes.
        host_skin.bones.push_back(MemoryBone{build.nodes[skin.joints[j]], Inverse(inverse_binds[j])});
    }
    host_skin.weights = data.weights;
    // Skinned vertices are in the space the inverse bind matrices start from;
    // glTF ignores the skinned node's own transform.
    host_skin.initial_skin_transform = Matrix3::Identity();
    return modifier;
}

std::unique_ptr<MemoryModifier> MakeMorpher(GltfBuild& build, int node_index, const std::vector<double>& weights,
                                            int target_count) {
    auto modifier = MemoryModifier::Make(ModifierKind::Morpher);
    const NodeCurves* curves = build.CurvesOf(node_index);
    const Curve* animated = curves && curves->weights ? &*curves->weights : nullptr;
    const int channels = std::min(target_count, HostMorpher::kChannelCount);
    if (target_count > channels) {
        build.source.Warn("nodes[" + std::to_string(node_index) + "]",
                          "only the first " + std::to_string(channels) + " morph targets are read");
    }
    for (int t = 0; t < channels; ++t) {
        if (animated && t < animated->width) {
            modifier->morpher->channels[t] = WeightTrack(*animated, t, build.animation->frames, build.Fps());
        } else {
            const double weight = static_cast<std::size_t>(t) < weights.size() ? weights[t] : 0.0;
            modifier->morpher->channels[t] = Track<float>::Constant(static_cast<float>(weight * 100.0));
        }
    }
    return modifier;
}

void CheckJointsInScene(const GltfBuild& build, int skin_index) {
    const tinygltf::Skin& skin = build.source.model.skins[skin_index];
    for (std::size_t j = 0; j < skin.joints.size(); ++j) {
        if (!build.nodes[skin.joints[j]]) {
            build.source.Fail("skins[" + std::to_string(skin_index) + "].joints[" + std::to_string(j) + "]",
                              "node " + std::to_string(skin.joints[j]) + " is not in the scene");
        }
    }
}

}  // namespace

void BuildMeshes(GltfBuild& build) {
    const GltfSource& source = build.source;
    for (std::size_t i = 0; i < build.nodes.size(); ++i) {
        MemoryNode* host = build.nodes[i];
        const tinygltf::Node& node = source.model.nodes[i];
        if (!host || node.mesh < 0) continue;
        const std::string where = "nodes[" + std::to_string(i) + "]";
        std::size_t joint_count = 0;
        if (node.skin >= 0) {
            CheckIndex(source, where + ".skin", node.skin, source.model.skins.size(), "skin");
            CheckJointsInScene(build, node.skin);
            joint_count = source.model.skins[node.skin].joints.size();
        }
        const std::vector<double> weights = StaticMorphWeights(node, source.model.meshes[node.mesh]);
        MeshData data = ReadMesh(source, node.mesh, weights, joint_count);
        if (data.mesh->polygons.empty()) {
            host->kind = host->is_bone ? ObjectKind::Bone : ObjectKind::Helper;
            continue;
        }
        host->mesh = std::move(data.mesh);
        host->vertex_color_display = data.has_colors;
        host->material = MeshMaterial(build, node.mesh, data.materials);
        auto& roots = build.scene.root_materials;
        if (host->material && std::find(roots.begin(), roots.end(), host->material) == roots.end()) {
            roots.push_back(host->material);
        }
        if (node.skin >= 0) {
            if (data.has_joints) {
                host->modifiers.push_back(MakeSkin(build, node.skin, data));
            } else {
                source.Warn(where, "the mesh has no JOINTS_0 and WEIGHTS_0; the skin is not read");
            }
        }
        if (data.target_count > 0) {
            host->modifiers.push_back(MakeMorpher(build, static_cast<int>(i), weights, data.target_count));
        }
    }
}

}  // namespace korvo::gltf
