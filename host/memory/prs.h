#pragma once
// Position, rotation and scale: the parts of a host transform, and the
// matrix they make (scale first, then rotation, then translation).

#include "host/geom.h"

namespace korvo {

struct Prs {
    Point3 position;
    Quat rotation;
    Point3 scale{1.0f, 1.0f, 1.0f};
};

Matrix3 PrsMatrix(Point3 position, const Quat& rotation, Point3 scale);
inline Matrix3 PrsMatrix(const Prs& prs) { return PrsMatrix(prs.position, prs.rotation, prs.scale); }

// Euler angles in degrees about X, then Y, then Z, as the host's Euler XYZ
// rotation applies them.
Quat EulerDegreesToQuat(Point3 degrees);

}  // namespace korvo
