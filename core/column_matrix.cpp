#include "core/column_matrix.h"

#include <cmath>

namespace korvo {

namespace {

constexpr double kDegreesToRadians = 3.1415927410125732 / 180.0;

ColumnMatrix Rotation(int axis, double degrees) {
    const double c = std::cos(degrees * kDegreesToRadians);
    const double s = std::sin(degrees * kDegreesToRadians);
    ColumnMatrix r;
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;  // the plane turned: YZ, ZX or XY
    r.rows[a][a] = c;
    r.rows[a][b] = -s;
    r.rows[b][a] = s;
    r.rows[b][b] = c;
    return r;
}

}  // namespace

ColumnMatrix operator*(const ColumnMatrix& a, const ColumnMatrix& b) {
    ColumnMatrix r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            // The implied fourth row of b adds a's translation to the last column only.
            double sum = j == 3 ? a.rows[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) sum += a.rows[i][k] * b.rows[k][j];
            r.rows[i][j] = sum;
        }
    }
    return r;
}

Vec3 Apply(const ColumnMatrix& m, const Vec3& p) {
    double out[3];
    for (int i = 0; i < 3; ++i) {
        out[i] = m.rows[i][0] * p.x + m.rows[i][1] * p.y + m.rows[i][2] * p.z + m.rows[i][3];
    }
    return {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2])};
}

ColumnMatrix LocalMatrix(const Vec3& scale, const Vec3& rotate_degrees, const Vec3& translate) {
    ColumnMatrix s;
    s.rows[0][0] = scale.x;
    s.rows[1][1] = scale.y;
    s.rows[2][2] = scale.z;
    ColumnMatrix r = Rotation(2, rotate_degrees.z) * Rotation(1, rotate_degrees.y) * Rotation(0, rotate_degrees.x) * s;
    r.rows[0][3] = translate.x;
    r.rows[1][3] = translate.y;
    r.rows[2][3] = translate.z;
    return r;
}

}  // namespace korvo
