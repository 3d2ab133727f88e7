#pragma once
// Where nodes stand in the model: the product of their static local
// transforms from the root down, in column-vector form (p' = M p).

#include <vector>

#include "core/export_scene.h"

namespace korvo {

struct Affine {
    // Rows of the 3x4 matrix [R | t].
    std::array<std::array<double, 4>, 3> m{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
};

Affine operator*(const Affine& a, const Affine& b);
Vec3 Apply(const Affine& m, const Vec3& p);

// T(t) Rz(r.z) Ry(r.y) Rx(r.x) S(s): scale first, then the rotations about
// X, Y and Z (degrees), then the translation.
Affine LocalMatrix(const Vec3& scale, const Vec3& rotate_degrees, const Vec3& translate);

// World matrix of every node, by position in the node list. A parent id that
// names no node ends the chain; a cycle in the parent links is cut.
std::vector<Affine> NodeWorldMatrices(const ExportScene& scene);

}  // namespace korvo
