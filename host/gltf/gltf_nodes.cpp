#include <algorithm>
#include <array>
#include <cmath>

#include "host/gltf/gltf_axes.h"
#include "host/gltf/gltf_build.h"
#include "host/gltf/gltf_tracks.h"

namespace korvo::gltf {

namespace {

// Deeper than any real rig; a hostile file must not exhaust the stack.
constexpr int kMaxDepth = 1000;

std::string NodeWhere(int index) { return "nodes[" + std::to_string(index) + "]"; }

struct LocalTrs {
    Point3 position;
    Quat rotation;
    Point3 scale{1.0f, 1.0f, 1.0f};
};

void CheckSize(const GltfSource& source, const std::string& where, const std::vector<double>& values,
               std::size_t size) {
    if (!values.empty() && values.size() != size) {
        source.Fail(where, "has " + std::to_string(values.size()) + " numbers, expected " + std::to_string(size));
    }
}

LocalTrs StaticTransform(const GltfSource& source, const tinygltf::Node& node, const std::string& where) {
    CheckSize(source, where + ".matrix", node.matrix, 16);
    CheckSize(source, where + ".translation", node.translation, 3);
    CheckSize(source, where + ".rotation", node.rotation, 4);
    CheckSize(source, where + ".scale", node.scale, 3);
    LocalTrs trs;
    if (!node.matrix.empty()) {
        std::array<double, 16> m{};
        std::copy(node.matrix.begin(), node.matrix.end(), m.begin());
        const AffineParts parts = decomp_affine(HostMatrix(m));
        trs.position = parts.t;
        trs.rotation = parts.q;
        trs.scale = parts.k * parts.f;
        return trs;
    }
    const auto& t = node.translation;
    const auto& r = node.rotation;
    const auto& s = node.scale;
    if (!t.empty()) trs.position = HostPoint(t[0], t[1], t[2]);
    if (!r.empty()) trs.rotation = HostRotation(r[0], r[1], r[2], r[3]);
    if (!s.empty()) trs.scale = HostScale(s[0], s[1], s[2]);
    return trs;
}

// Scalar extras as "key = value" lines, the host's user property text.
std::string UserProperties(const tinygltf::Value& extras) {
    if (!extras.IsObject()) return {};
    std::string text;
    for (const std::string& key : extras.Keys()) {
        const tinygltf::Value& value = extras.Get(key);
        std::string shown;
        if (value.IsString()) {
            shown = value.Get<std::string>();
            for (char& c : shown) {
                if (c == '\n' || c == '\r') c = ' ';
            }
        } else if (value.IsBool()) {
            shown = value.Get<bool>() ? "true" : "false";
        } else if (value.IsNumber()) {
            shown = NumberText(value.GetNumberAsDouble());
        } else {
            continue;
        }
        text += key + " = " + shown + "\n";
    }
    return text;
}

const tinygltf::Value* Extension(const tinygltf::ExtensionMap& extensions, const std::string& name) {
    const auto found = extensions.find(name);
    return found != extensions.end() && found->second.IsObject() ? &found->second : nullptr;
}

std::optional<bool> Visible(const tinygltf::Node& node) {
    const tinygltf::Value* visibility = Extension(node.extensions, "KHR_node_visibility");
    if (!visibility || !visibility->Has("visible") || !visibility->Get("visible").IsBool()) return std::nullopt;
    return visibility->Get("visible").Get<bool>();
}

int LightIndex(const GltfSource& source, const tinygltf::Node& node, const std::string& where) {
    const tinygltf::Value* lights = Extension(node.extensions, "KHR_lights_punctual");
    if (!lights || !lights->Has("light")) return -1;
    const int index = IntegerOf(lights->Get("light"));
    CheckIndex(source, where + ".extensions.KHR_lights_punctual.light", index, source.model.lights.size(), "light");
    return index;
}

void SetCamera(MemoryNode& host, const tinygltf::Camera& camera) {
    auto made = std::make_unique<MemoryCamera>();
    if (camera.type == "orthographic") {
        const auto& ortho = camera.orthographic;
        made->orthographic = true;
        made->ortho_width = Track<float>::Constant(static_cast<float>(2.0 * ortho.xmag));
        made->ortho_height = Track<float>::Constant(static_cast<float>(2.0 * ortho.ymag));
        if (ortho.ymag != 0.0) made->aspect = static_cast<float>(ortho.xmag / ortho.ymag);
        made->near_clip = Track<float>::Constant(static_cast<float>(ortho.znear));
        made->far_clip = Track<float>::Constant(static_cast<float>(ortho.zfar));
    } else {
        const auto& perspective = camera.perspective;
        made->fov = Track<float>::Constant(static_cast<float>(perspective.yfov));
        if (perspective.aspectRatio > 0.0) made->aspect = static_cast<float>(perspective.aspectRatio);
        made->near_clip = Track<float>::Constant(static_cast<float>(perspective.znear));
        // An infinite projection has no far plane; the host needs one.
        const double far = perspective.zfar > 0.0 ? perspective.zfar : std::max(1000.0, perspective.znear * 1000.0);
        made->far_clip = Track<float>::Constant(static_cast<float>(far));
    }
    host.kind = ObjectKind::Camera;
    host.camera = std::move(made);
}

void SetLight(MemoryNode& host, const tinygltf::Light& light) {
    auto made = std::make_unique<MemoryLight>();
    made->type = light.type == "directional" ? kDirectionalLight : light.type == "spot" ? kFreeSpotLight : kOmniLight;
    HostColor color{1.0f, 1.0f, 1.0f};
    if (light.color.size() == 3) {
        color = {static_cast<float>(light.color[0]), static_cast<float>(light.color[1]),
                 static_cast<float>(light.color[2])};
    }
    made->color = Track<HostColor>::Constant(color);
    host.kind = ObjectKind::Light;
    host.light = std::move(made);
}

// Puts the quarter turn in front of the node's own transform, so that its
// host -Z axis points where the glTF node's -Z does.
void TurnToLookDownZ(MemoryNode& node) {
    const Matrix3 turn = QuarterTurnX();
    for (auto& key : node.rotation.keys) key.value = MatrixToQuat(turn * QuatToMatrix(key.value));
    for (auto& key : node.scale.keys) key.value = Point3{key.value.x, key.value.z, key.value.y};
}

std::vector<int> SceneRoots(const GltfSource& source, const std::vector<int>& parents) {
    const tinygltf::Model& model = source.model;
    if (model.scenes.empty()) {
        std::vector<int> roots;
        for (std::size_t i = 0; i < parents.size(); ++i) {
            if (parents[i] < 0) roots.push_back(static_cast<int>(i));
        }
        return roots;
    }
    const int scene = model.defaultScene >= 0 ? model.defaultScene : 0;
    CheckIndex(source, "scene", scene, model.scenes.size(), "scene");
    const std::string where = "scenes[" + std::to_string(scene) + "].nodes";
    for (int root : model.scenes[scene].nodes) {
        CheckIndex(source, where, root, model.nodes.size(), "node");
        if (parents[root] >= 0) {
            source.Fail(where, "node " + std::to_string(root) + " is a child of node " + std::to_string(parents[root]) +
                                   ", not a root");
        }
    }
    return model.scenes[scene].nodes;
}

std::vector<int> Parents(const GltfSource& source) {
    const tinygltf::Model& model = source.model;
    std::vector<int> parents(model.nodes.size(), -1);
    for (std::size_t i = 0; i < model.nodes.size(); ++i) {
        const std::string where = NodeWhere(static_cast<int>(i)) + ".children";
        for (int child : model.nodes[i].children) {
            CheckIndex(source, where, child, model.nodes.size(), "node");
            if (parents[child] >= 0 || child == static_cast<int>(i)) {
                source.Fail(where, "node " + std::to_string(child) + " has a second parent");
            }
            parents[child] = static_cast<int>(i);
        }
    }
    return parents;
}

std::vector<bool> Joints(const GltfSource& source) {
    std::vector<bool> joints(source.model.nodes.size(), false);
    for (std::size_t s = 0; s < source.model.skins.size(); ++s) {
        const std::string where = "skins[" + std::to_string(s) + "].joints";
        for (int joint : source.model.skins[s].joints) {
            CheckIndex(source, where, joint, joints.size(), "node");
            joints[joint] = true;
        }
    }
    return joints;
}

struct NodeMaker {
    GltfBuild& build;
    std::vector<bool> joints;

    void Make(int index, MemoryNode* parent, int depth, bool visible_above) {
        const GltfSource& source = build.source;
        const std::string where = NodeWhere(index);
        if (build.nodes[index]) source.Fail(where, "the node appears twice in the scene");
        if (depth > kMaxDepth)
            source.Fail(where, "the hierarchy is more than " + std::to_string(kMaxDepth) + " levels deep");
        const tinygltf::Node& node = source.model.nodes[index];
        const std::string name = node.name.empty() ? "node_" + std::to_string(index) : node.name;
        MemoryNode& host = build.scene.AddNode(parent, name);
        build.nodes[index] = &host;

        const LocalTrs trs = StaticTransform(source, node, where);
        host.position = Track<Point3>::Constant(trs.position);
        host.rotation = Track<Quat>::Constant(trs.rotation);
        host.scale = Track<Point3>::Constant(trs.scale);
        if (const NodeCurves* curves = build.CurvesOf(index)) {
            const FrameSpan frames = build.animation->frames;
            if (curves->translation) host.position = TranslationTrack(*curves->translation, frames, build.Fps());
            if (curves->rotation) host.rotation = RotationTrack(*curves->rotation, frames, build.Fps());
            if (curves->scale) host.scale = ScaleTrack(*curves->scale, frames, build.Fps());
        }
        host.user_properties = UserProperties(node.extras);
        const bool visible = visible_above && Visible(node).value_or(true);
        host.visibility = Track<float>::Constant(visible ? 1.0f : 0.0f);

        if (node.mesh >= 0) {
            CheckIndex(source, where + ".mesh", node.mesh, source.model.meshes.size(), "mesh");
            host.kind = ObjectKind::Mesh;
        } else {
            host.kind = ObjectKind::Helper;
        }
        if (node.camera >= 0) {
            CheckIndex(source, where + ".camera", node.camera, source.model.cameras.size(), "camera");
            // Like a light, a host camera looks down its own -Z: turn it, on a
            // child of its own unless the node carries nothing else.
            const bool alone = host.kind == ObjectKind::Helper && node.children.empty() && !joints[index];
            MemoryNode& holder = alone ? host : build.scene.AddNode(&host, name + "_camera");
            SetCamera(holder, source.model.cameras[node.camera]);
            TurnToLookDownZ(holder);
        }
        const int light = LightIndex(source, node, where);
        if (light >= 0) {
            const bool alone = host.kind == ObjectKind::Helper && node.children.empty() && !joints[index];
            if (alone) {
                SetLight(host, source.model.lights[light]);
                TurnToLookDownZ(host);
            } else {
                MemoryNode& holder = build.scene.AddNode(&host, name + "_light");
                SetLight(holder, source.model.lights[light]);
                TurnToLookDownZ(holder);
            }
        }
        if (joints[index]) {
            host.is_bone = true;
            if (host.kind == ObjectKind::Helper) host.kind = ObjectKind::Bone;
        }
        for (int child : node.children) Make(child, &host, depth + 1, visible);
    }
};

}  // namespace

const NodeCurves* GltfBuild::CurvesOf(int node) const {
    if (!animation) return nullptr;
    const auto found = animation->nodes.find(node);
    return found == animation->nodes.end() ? nullptr : &found->second;
}

void BuildNodes(GltfBuild& build) {
    build.nodes.assign(build.source.model.nodes.size(), nullptr);
    const std::vector<int> parents = Parents(build.source);
    NodeMaker maker{build, Joints(build.source)};
    for (int root : SceneRoots(build.source, parents)) maker.Make(root, nullptr, 0, true);
}

}  // namespace korvo::gltf
