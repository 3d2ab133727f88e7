#pragma once
// The transform a node is at rest in: what its static transform and its
// skin's bone space are taken from.

#include "extract/extraction.h"

namespace korvo {

// In the exported Y-up axes: a skin's initial transform for bones and
// skinned nodes, else the world transform at the first exported frame.
// The identity for nullptr (a top-level node's parent).
Matrix3 ReferenceTransform(const Extraction& extraction, const HostNode* node);

}  // namespace korvo
