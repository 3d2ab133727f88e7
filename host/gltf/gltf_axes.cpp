#include "host/gltf/gltf_axes.h"

#include <cmath>

namespace korvo::gltf {

Point3 HostPoint(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(-z), static_cast<float>(y)};
}

Point3 HostScale(double x, double y, double z) {
    return {static_cast<float>(x), static_cast<float>(z), static_cast<float>(y)};
}

Quat HostRotation(double x, double y, double z, double w) {
    double length = std::sqrt(x * x + y * y + z * z + w * w);
    if (!(length > 0.0) || !std::isfinite(length)) return Quat{};
    return {static_cast<float>(x / length), static_cast<float>(-z / length), static_cast<float>(y / length),
            static_cast<float>(w / length)};
}

Matrix3 QuarterTurnX() {
    Matrix3 turn;
    turn.rows = {Point3{1, 0, 0}, Point3{0, 0, 1}, Point3{0, -1, 0}, Point3{0, 0, 0}};
    return turn;
}

Matrix3 HostMatrix(const std::array<double, 16>& m) {
    // Column-major storage read row by row is the row-vector matrix.
    Matrix3 gltf;
    for (int row = 0; row < 4; ++row) {
        gltf.rows[row] = Point3{static_cast<float>(m[row * 4 + 0]), static_cast<float>(m[row * 4 + 1]),
                                static_cast<float>(m[row * 4 + 2])};
    }
    const Matrix3 to_host = QuarterTurnX();
    return Transpose3(to_host) * gltf * to_host;
}

}  // namespace korvo::gltf
