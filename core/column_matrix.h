#pragma once
// The records' transforms: affine matrices for column vectors (p' = M p),
// products read right to left, in double precision. Only the three rows
// of [R | t] are held; the fourth is always 0 0 0 1. (The host's Matrix3,
// for row vectors, stays with host-side code.)

#include <array>

#include "core/vectors.h"

namespace korvo {

struct ColumnMatrix {
    std::array<std::array<double, 4>, 3> rows{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}}};
};

// a applied after b.
ColumnMatrix operator*(const ColumnMatrix& a, const ColumnMatrix& b);
// The point p moved by m.
Vec3 Apply(const ColumnMatrix& m, const Vec3& p);

// T(t) Rz(r.z) Ry(r.y) Rx(r.x) S(s): scale first, then the rotations about
// X, Y and Z (degrees), then the translation.
ColumnMatrix LocalMatrix(const Vec3& scale, const Vec3& rotate_degrees, const Vec3& translate);

}  // namespace korvo
