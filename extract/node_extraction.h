#pragma once
// One ExportNode per exported host node, filled depth first.

#include <unordered_set>

#include "core/export_names.h"
#include "extract/extraction.h"

namespace korvo {

// What the walk over the wrapper's hierarchy carries from node to node.
struct NodeWalk {
    Extraction& extraction;
    UniqueNames names;
    // Host node ids of the records begun so far.
    std::unordered_set<int32_t> exported_ids;
};

// Starts the record at index for the node: its id, no links yet.
void BeginNodeRecord(NodeWalk& walk, const HostNode& node, int index);

// Whether a host ancestor of the node is the host node of a record.
bool HasExportedAncestor(const HostNode& node, const std::unordered_set<int32_t>& exported_ids);

// Links record next after record previous as its next brother.
void LinkBrothers(std::vector<ExportNode>& nodes, int previous, int next);

// Fills the record at index (already begun) from the node, then begins and
// fills the records of its exported children after it; index ends at the
// last record of the subtree. False when a node name is empty.
bool ExtractNode(NodeWalk& walk, const HostNode& node, int& index);

}  // namespace korvo
