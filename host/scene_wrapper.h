#pragma once
// The scene as the exporter walks it: the exported nodes with their
// hierarchy, and world transforms already turned into the exported Y-up
// axes. It sits on top of any HostScene, so backends only describe the
// host's Z-up scene.

#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "host/host.h"

namespace korvo {

class SceneWrapper {
public:
    // Every node of the scene below its root.
    void InitialiseAll(HostScene& scene);
    // Only the given nodes. With hierarchy, a node hangs under its nearest
    // listed ancestor; without, every listed node is top-level.
    void Initialise(HostScene& scene, const std::vector<HostNode*>& nodes, bool hierarchy);

    HostScene& Scene() const { return *scene_; }
    int TotalNodeCount() const { return static_cast<int>(nodes_.size()); }
    // Wrapper nodes in the host's hierarchy order, depth first.
    const std::vector<HostNode*>& Nodes() const { return nodes_; }
    const std::vector<HostNode*>& TopLevelNodes() const { return top_level_; }
    const std::vector<HostNode*>& Children(const HostNode* node) const;
    // The wrapper parent, nullptr for a top-level node.
    HostNode* Parent(const HostNode* node) const;
    bool Contains(const HostNode* node) const;
    std::vector<HostNode*> NodesOfType(ObjectType type) const;

    void SetStaticFrame(int frame) { static_frame_ = frame; }
    int StaticFrame() const { return static_frame_; }
    int TicksPerFrame() const { return scene_->TicksPerFrame(); }
    TimeValue StaticTime() const { return static_frame_ * TicksPerFrame(); }

    // The node's world transform at t in the exported Y-up axes.
    Matrix3 WorldTransform(const HostNode* node, TimeValue t) const;

private:
    void Reset(HostScene& scene);
    void Collect(HostNode* node, const std::unordered_set<const HostNode*>* only, bool hierarchy, HostNode* listed_ancestor);

    HostScene* scene_ = nullptr;
    std::vector<HostNode*> nodes_;
    std::vector<HostNode*> top_level_;
    std::vector<HostNode*> parents_;                 // parallel to nodes_
    std::vector<std::vector<HostNode*>> children_;  // parallel to nodes_
    std::unordered_map<const HostNode*, std::size_t> index_;
    int static_frame_ = 0;
};

// The quarter turns between the host's Z-up axes and the exported Y-up
// axes: ToYUp(M) = RotateX(+90) * M * RotateX(-90).
Matrix3 ZUpToYUp(const Matrix3& m);

}  // namespace korvo
