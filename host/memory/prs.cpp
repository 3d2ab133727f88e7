#include "host/memory/prs.h"

namespace korvo {

Matrix3 PrsMatrix(Point3 position, const Quat& rotation, Point3 scale) {
    return ScaleMatrix(scale) * QuatToMatrix(rotation) * TransMatrix(position);
}

Quat EulerDegreesToQuat(Point3 degrees) {
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    const auto radians = [](float d) { return static_cast<float>(d * kRadiansPerDegree); };
    return MatrixToQuat(RotateXMatrix(radians(degrees.x)) * RotateYMatrix(radians(degrees.y)) *
                        RotateZMatrix(radians(degrees.z)));
}

}  // namespace korvo
