#pragma once
// Splitting a polygon's primitives into matrix groups: the hardware holds
// 31 matrices at a time, so a skinned polygon whose faces use more is drawn
// in several groups, each loading its own matrices.

#include <cstdint>
#include <vector>

#include "core/export_scene.h"

namespace korvo {

inline constexpr std::size_t kMaxGroupMatrices = 31;

// A strip, or a chain of separate faces linked through their links.
struct GroupPrimitive {
    bool quad = false;  // which face list first_face indexes
    int32_t first_face = 0;
};

struct MatrixGroup {
    std::vector<int32_t> matrices;  // distinct matrix indices, in order of first use
    std::vector<GroupPrimitive> primitives;
};

// Places every face of the polygon in a group: quad strips, triangle
// strips, then separate quads and separate triangles, each group taking
// what still fits. Marks the placed faces with kFaceAssigned and chains the
// separate faces of a group through their links. matrix_of_position gives
// the matrix that draws each position. A rigid polygon gets one group.
std::vector<MatrixGroup> BuildMatrixGroups(ExportPolygon& polygon, const std::vector<int32_t>& matrix_of_position);

}  // namespace korvo
