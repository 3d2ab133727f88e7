#pragma once
// Where nodes stand in the model: the product of their static local
// transforms from the root down.

#include <vector>

#include "core/column_matrix.h"
#include "core/export_scene.h"

namespace korvo {

// World matrix of every node, by position in the node list. A parent id that
// names no node ends the chain; a cycle in the parent links is cut.
std::vector<ColumnMatrix> NodeWorldMatrices(const ExportScene& scene);

}  // namespace korvo
