#pragma once
// Which host nodes are exported.

#include "host/scene_wrapper.h"

namespace korvo {

// The node's Kvs_no_cut user property is present and true: it is exported
// whatever the filter says, and node compression never culls it.
bool HasNoCut(const HostNode& node);

// A node passes when it is not a target and is either visible or has a
// visible child (a hidden group still carries its children). Kvs_no_cut
// passes regardless.
bool PassesNodeFilter(const SceneWrapper& wrapper, const HostNode& node);

// A mesh node whose geometry is exported: Kvs_no_cut, or passing the filter
// while not hidden itself.
bool IsExportableMeshNode(const SceneWrapper& wrapper, const HostNode& node);

}  // namespace korvo
