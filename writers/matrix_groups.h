#pragma once
// Splitting a polygon's primitives into matrix groups: the hardware holds
// 31 matrices at a time, so a skinned polygon whose faces use more is drawn
// in several groups, each loading its own matrices.

#include <cstdint>
#include <vector>

#include "core/export_scene.h"
#include "core/face_plan.h"

namespace korvo {

inline constexpr std::size_t kMaxGroupMatrices = 31;

struct MatrixGroup {
    std::vector<int32_t> matrices;  // distinct matrix indices, in order of first use
    std::vector<Primitive> primitives;
};

// Places every face of the plan in a group, each group taking what still
// fits: the quad strips, the triangle strips, then the separate quads and
// the separate triangles face by face; the separate faces of one kind that
// a group takes form one list primitive of it. matrix_of_position gives
// the matrix that draws each position. A rigid polygon gets one group.
std::vector<MatrixGroup> BuildMatrixGroups(const ExportPolygon& polygon, const std::vector<Primitive>& plan,
                                           const std::vector<int32_t>& matrix_of_position);

}  // namespace korvo
