#pragma once
// The node array in its written order: brothers sorted by name, each node
// followed by its subtree.

#include <vector>

#include "core/export_scene.h"

namespace korvo {

// Sorts the roots and every child list by name (byte-wise), relinks the
// brothers and first children, and rebuilds the array in depth-first
// pre-order.
void OrderNodes(std::vector<ExportNode>& nodes);

}  // namespace korvo
