#include "host/scene_wrapper.h"

#include <unordered_set>

namespace korvo {

namespace {

// A quarter turn as the host's single-precision constant.
constexpr float kQuarterTurn = 1.5707964f;

}  // namespace

Matrix3 ZUpToYUp(const Matrix3& m) {
    return RotateXMatrix(+kQuarterTurn) * m * RotateXMatrix(-kQuarterTurn);
}

void SceneWrapper::Reset(HostScene& scene) {
    scene_ = &scene;
    nodes_.clear();
    top_level_.clear();
    parents_.clear();
    children_.clear();
    index_.clear();
}

void SceneWrapper::InitialiseAll(HostScene& scene) {
    Reset(scene);
    for (HostNode* child : scene.Root()->Children()) Collect(child, nullptr, true, nullptr);
}

void SceneWrapper::Initialise(HostScene& scene, const std::vector<HostNode*>& nodes, bool hierarchy) {
    Reset(scene);
    const std::unordered_set<const HostNode*> listed(nodes.begin(), nodes.end());
    for (HostNode* child : scene.Root()->Children()) Collect(child, &listed, hierarchy, nullptr);
}

void SceneWrapper::Collect(HostNode* node, const std::unordered_set<const HostNode*>* only, bool hierarchy,
                           HostNode* listed_ancestor) {
    const bool listed = !only || only->count(node) != 0;
    if (listed && index_.emplace(node, nodes_.size()).second) {
        HostNode* parent = hierarchy ? listed_ancestor : nullptr;
        nodes_.push_back(node);
        parents_.push_back(parent);
        children_.emplace_back();
        if (parent) {
            children_[index_.at(parent)].push_back(node);
        } else {
            top_level_.push_back(node);
        }
        listed_ancestor = node;
    }
    for (HostNode* child : node->Children()) Collect(child, only, hierarchy, listed_ancestor);
}

const std::vector<HostNode*>& SceneWrapper::Children(const HostNode* node) const {
    static const std::vector<HostNode*> kNone;
    auto it = index_.find(node);
    return it == index_.end() ? kNone : children_[it->second];
}

HostNode* SceneWrapper::Parent(const HostNode* node) const {
    auto it = index_.find(node);
    return it == index_.end() ? nullptr : parents_[it->second];
}

bool SceneWrapper::Contains(const HostNode* node) const { return index_.count(node) != 0; }

std::vector<HostNode*> SceneWrapper::NodesOfType(ObjectType type) const {
    std::vector<HostNode*> found;
    for (HostNode* node : nodes_) {
        if (node->GetObjectType() == type) found.push_back(node);
    }
    return found;
}

Matrix3 SceneWrapper::WorldTransform(const HostNode* node, TimeValue t) const {
    return ZUpToYUp(node->WorldTransform(t));
}

}  // namespace korvo
