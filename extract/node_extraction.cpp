#include "extract/node_extraction.h"

#include "extract/animation_sampling.h"
#include "extract/mesh_extraction.h"
#include "extract/node_filter.h"

namespace korvo {

namespace {

Billboard BillboardMode(const HostNode& node) {
    const std::optional<std::string> value = node.UserPropertyText("Kvs_billboard");
    if (value == "Y-Billboard") return Billboard::YOn;
    if (value == "Billboard") return Billboard::On;
    return Billboard::Off;
}

NodeKind NodeKindOf(const HostNode& node, bool subdivided) {
    if (node.IsHidden() || subdivided) return NodeKind::Null;
    switch (node.GetObjectType()) {
        case ObjectType::Mesh:
            return node.ObjectClassId() == class_ids::kBoneObject ? NodeKind::Null : NodeKind::Mesh;
        case ObjectType::Bone:
            return NodeKind::Joint;
        case ObjectType::IkChain:
            return NodeKind::Chain;
        default:
            return NodeKind::Null;
    }
}

}  // namespace

bool HasExportedAncestor(const HostNode& node, const std::unordered_set<int32_t>& exported_ids) {
    for (const HostNode* up = node.Parent(); up != nullptr; up = up->Parent()) {
        if (exported_ids.count(up->Id()) != 0) return true;
    }
    return false;
}

void BeginNodeRecord(NodeWalk& walk, const HostNode& node, int index) {
    ExportNode& record = walk.extraction.scene.nodes[index];
    record.id = node.Id();
    record.parent = -1;
    record.brother_prev = -1;
    record.brother_next = -1;
    walk.exported_ids.insert(record.id);
}

void LinkBrothers(std::vector<ExportNode>& nodes, int previous, int next) {
    nodes[next].brother_prev = nodes[previous].id;
    nodes[previous].brother_next = nodes[next].id;
}

bool ExtractNode(NodeWalk& walk, const HostNode& node, int& index) {
    Extraction& extraction = walk.extraction;
    std::vector<ExportNode>& nodes = extraction.scene.nodes;
    const std::string host_name = node.Name();
    if (host_name.empty()) {
        extraction.diagnostics.Error("Node name is empty", "Node Export Error");
        return false;
    }
    const int self = index;
    nodes[self].name = walk.names.Add(CleanExportName(host_name));

    NurbsWarnings(extraction, node);
    const bool subdivided = SubdivisionCheck(extraction, node);

    nodes[self].billboard = BillboardMode(node);
    nodes[self].no_cut = HasNoCut(node);
    nodes[self].kind = NodeKindOf(node, subdivided);
    SampleNode(extraction, node, nodes[self], !HasExportedAncestor(node, walk.exported_ids));

    nodes[self].child = -1;
    int previous = -1;
    for (const HostNode* child : extraction.wrapper.Children(&node)) {
        if (!PassesNodeFilter(extraction.wrapper, *child)) continue;
        index += 1;
        BeginNodeRecord(walk, *child, index);
        if (previous == -1) nodes[self].child = nodes[index].id;
        nodes[index].parent = nodes[self].id;
        if (previous != -1) LinkBrothers(nodes, previous, index);
        previous = index;
        if (!ExtractNode(walk, *child, index)) return false;
    }
    return true;
}

}  // namespace korvo
