#pragma once
// A node's local transform as the files store it: a scale, Euler angles in
// degrees about X, then Y, then Z, and a translation, in the exported Y-up
// axes. ScaleMatrix(scale) * RotateX * RotateY * RotateZ * TransMatrix
// rebuilds the matrix, mirrored ones included: a mirror is carried by a
// negative X scale.

#include <array>

#include "core/export_scene.h"
#include "host/geom.h"

namespace korvo {

// Values in double precision, so that quantising them rounds what the
// decomposition gave and not a float copy of it.
struct LocalTransformParts {
    std::array<double, 3> scale{1.0, 1.0, 1.0};
    std::array<double, 3> rotate{};  // degrees
    std::array<double, 3> translate{};
};

LocalTransformParts DecomposeLocalTransform(const Matrix3& local);

Matrix3 ComposeLocalTransform(Vec3 scale, Vec3 rotate_degrees, Vec3 translate);

// The value as stored in a record: rounded to 1/4096, or as it is.
Vec3 StoredVector(const std::array<double, 3>& value, bool quantise);

}  // namespace korvo
