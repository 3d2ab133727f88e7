#include "extract/node_filter.h"

namespace korvo {

bool HasNoCut(const HostNode& node) { return node.UserPropertyBool("Kvs_no_cut").value_or(false); }

bool PassesNodeFilter(const SceneWrapper& wrapper, const HostNode& node) {
    if (HasNoCut(node)) return true;
    if (node.IsTarget()) return false;
    if (!node.IsHidden()) return true;
    for (const HostNode* child : wrapper.Children(&node)) {
        if (!child->IsHidden()) return true;
    }
    return false;
}

bool IsExportableMeshNode(const SceneWrapper& wrapper, const HostNode& node) {
    return HasNoCut(node) || (PassesNodeFilter(wrapper, node) && !node.IsHidden());
}

}  // namespace korvo
