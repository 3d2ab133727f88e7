#include "host/geom.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace korvo {

namespace {

// Internal arithmetic is done in double so that chains of products and
// decompositions of float matrices lose as little as possible.
using Vec3d = std::array<double, 3>;
using Mat3d = std::array<Vec3d, 3>;

// Rows whose cosine is below this are treated as orthogonal, and a matrix
// whose determinant is this small against the product of its row lengths is
// treated as singular. Float rounding of a product of a few rotations stays
// well under it.
constexpr double kRoundingCosine = 1e-6;
// Below this cos(y) the Euler X angle is fixed to 0 (gimbal lock).
constexpr double kGimbalCosine = 1e-6;

Mat3d IdentityD() { return {Vec3d{1, 0, 0}, Vec3d{0, 1, 0}, Vec3d{0, 0, 1}}; }

Mat3d Linear(const Matrix3& m) {
    Mat3d a{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) a[r][c] = m.rows[r][c];
    }
    return a;
}

Matrix3 FromLinear(const Mat3d& a, Point3 translation = {}) {
    Matrix3 m;
    for (int r = 0; r < 3; ++r) {
        m.rows[r] = Point3{static_cast<float>(a[r][0]), static_cast<float>(a[r][1]), static_cast<float>(a[r][2])};
    }
    m.rows[3] = translation;
    return m;
}

Mat3d Mul(const Mat3d& a, const Mat3d& b) {
    Mat3d p{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) p[r][c] = a[r][0] * b[0][c] + a[r][1] * b[1][c] + a[r][2] * b[2][c];
    }
    return p;
}

Mat3d Transposed(const Mat3d& a) {
    Mat3d t{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) t[r][c] = a[c][r];
    }
    return t;
}

double Det(const Mat3d& a) {
    return a[0][0] * (a[1][1] * a[2][2] - a[1][2] * a[2][1]) - a[0][1] * (a[1][0] * a[2][2] - a[1][2] * a[2][0]) +
           a[0][2] * (a[1][0] * a[2][1] - a[1][1] * a[2][0]);
}

double Dot(const Vec3d& a, const Vec3d& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

double Norm(const Vec3d& a) { return std::sqrt(Dot(a, a)); }

Vec3d Cross(const Vec3d& a, const Vec3d& b) {
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}

Vec3d Scaled(const Vec3d& a, double s) { return {a[0] * s, a[1] * s, a[2] * s}; }

// Some unit vector perpendicular to the unit vector a.
Vec3d AnyPerpendicular(const Vec3d& a) {
    const Vec3d axis = std::abs(a[0]) < 0.6 ? Vec3d{1, 0, 0} : Vec3d{0, 1, 0};
    const Vec3d p = Cross(a, axis);
    return Scaled(p, 1.0 / Norm(p));
}

Mat3d RotationFromQuat(const Quat& q) {
    const double x = q.x, y = q.y, z = q.z, w = q.w;
    const double norm2 = x * x + y * y + z * z + w * w;
    if (!(norm2 > 0.0)) return IdentityD();
    const double s = 2.0 / norm2;
    // The diagonal from the four squares, not as 1 - ...: a quarter or half
    // turn then gives an exact 0 rather than rounding noise.
    return {Vec3d{(w * w + x * x - y * y - z * z) / norm2, s * (x * y + w * z), s * (x * z - w * y)},
            Vec3d{s * (x * y - w * z), (w * w - x * x + y * y - z * z) / norm2, s * (y * z + w * x)},
            Vec3d{s * (x * z + w * y), s * (y * z - w * x), (w * w - x * x - y * y + z * z) / norm2}};
}

// Shepperd's method: the largest of |w|, |x|, |y|, |z| is taken from the
// diagonal, the others from sums and differences of off-diagonal pairs, so
// nothing is ever divided by a small number.
Quat QuatFromRotation(const Mat3d& m) {
    const double trace = m[0][0] + m[1][1] + m[2][2];
    double x = 0, y = 0, z = 0, w = 1;
    if (trace >= m[0][0] && trace >= m[1][1] && trace >= m[2][2]) {
        const double s = 2.0 * std::sqrt(std::max(1.0 + trace, 0.0));  // 4w
        w = 0.25 * s;
        x = (m[1][2] - m[2][1]) / s;
        y = (m[2][0] - m[0][2]) / s;
        z = (m[0][1] - m[1][0]) / s;
    } else if (m[0][0] >= m[1][1] && m[0][0] >= m[2][2]) {
        const double s = 2.0 * std::sqrt(std::max(1.0 + m[0][0] - m[1][1] - m[2][2], 0.0));  // 4x
        x = 0.25 * s;
        w = (m[1][2] - m[2][1]) / s;
        y = (m[0][1] + m[1][0]) / s;
        z = (m[2][0] + m[0][2]) / s;
    } else if (m[1][1] >= m[2][2]) {
        const double s = 2.0 * std::sqrt(std::max(1.0 + m[1][1] - m[0][0] - m[2][2], 0.0));  // 4y
        y = 0.25 * s;
        w = (m[2][0] - m[0][2]) / s;
        x = (m[0][1] + m[1][0]) / s;
        z = (m[1][2] + m[2][1]) / s;
    } else {
        const double s = 2.0 * std::sqrt(std::max(1.0 + m[2][2] - m[0][0] - m[1][1], 0.0));  // 4z
        z = 0.25 * s;
        w = (m[0][1] - m[1][0]) / s;
        x = (m[2][0] + m[0][2]) / s;
        y = (m[1][2] + m[2][1]) / s;
    }
    const double norm = std::sqrt(x * x + y * y + z * z + w * w);
    if (!(norm > 0.0) || !std::isfinite(norm)) return Quat{};
    const double sign = w < 0 ? -1.0 : 1.0;
    const double s = sign / norm;
    return Quat{static_cast<float>(x * s), static_cast<float>(y * s), static_cast<float>(z * s),
                static_cast<float>(w * s)};
}

// Eigen-decomposition of a symmetric positive semi-definite matrix by cyclic
// Jacobi rotations: a == vectors * diag(values) * vectors^T, with the
// eigenvectors as columns of vectors, which stays a proper rotation. A pair
// whose coupling is at rounding level is left alone, so that a matrix that is
// diagonal up to float noise keeps exactly the coordinate axes (otherwise
// equal eigenvalues would pick up arbitrary axes from the noise).
void SymmetricEigen(Mat3d a, Vec3d& values, Mat3d& vectors) {
    vectors = IdentityD();
    constexpr int kPairs[3][2] = {{0, 1}, {0, 2}, {1, 2}};
    for (int sweep = 0; sweep < 32; ++sweep) {
        bool rotated = false;
        for (const auto& pair : kPairs) {
            const int p = pair[0], q = pair[1];
            const double apq = a[p][q];
            if (std::abs(apq) <= kRoundingCosine * std::sqrt(std::abs(a[p][p] * a[q][q]))) continue;
            rotated = true;
            const double theta = (a[q][q] - a[p][p]) / (2.0 * apq);
            const double t = (theta < 0 ? -1.0 : 1.0) / (std::abs(theta) + std::hypot(theta, 1.0));
            const double c = 1.0 / std::hypot(t, 1.0);
            const double s = t * c;
            Mat3d j = IdentityD();
            j[p][p] = c;
            j[q][q] = c;
            j[p][q] = s;
            j[q][p] = -s;
            a = Mul(Mul(Transposed(j), a), j);
            vectors = Mul(vectors, j);
        }
        if (!rotated) break;
    }
    for (int i = 0; i < 3; ++i) values[i] = a[i][i];
}

int PermutationSign(const std::array<int, 3>& perm) {
    int inversions = 0;
    for (int i = 0; i < 3; ++i) {
        for (int j = i + 1; j < 3; ++j) inversions += perm[i] > perm[j] ? 1 : 0;
    }
    return inversions % 2 == 0 ? 1 : -1;
}

// The eigenvectors of the stretch come in no particular order or direction.
// Relabel them (a proper signed permutation of the rows of axes, and the same
// permutation of factors) so that the stretch rotation is the one nearest the
// identity: k.x is then the scale along the axis nearest X.
void SnuggleStretch(Mat3d& axes, Vec3d& factors) {
    std::array<int, 3> perm{0, 1, 2};
    std::array<int, 3> best_perm = perm;
    Vec3d best_signs{1, 1, 1};
    double best_trace = -4.0;
    do {
        for (int bits = 0; bits < 8; ++bits) {
            const Vec3d signs{bits & 1 ? -1.0 : 1.0, bits & 2 ? -1.0 : 1.0, bits & 4 ? -1.0 : 1.0};
            if (PermutationSign(perm) * signs[0] * signs[1] * signs[2] < 0) continue;
            double trace = 0;
            for (int j = 0; j < 3; ++j) trace += signs[j] * axes[perm[j]][j];
            if (trace > best_trace) {
                best_trace = trace;
                best_perm = perm;
                best_signs = signs;
            }
        }
    } while (std::next_permutation(perm.begin(), perm.end()));
    Mat3d relabelled{};
    Vec3d refactored{};
    for (int j = 0; j < 3; ++j) {
        relabelled[j] = Scaled(axes[best_perm[j]], best_signs[j]);
        refactored[j] = factors[best_perm[j]];
    }
    axes = relabelled;
    factors = refactored;
}

Matrix3 AxisRotation(int axis, float angle) {
    const double a = angle;
    const float c = static_cast<float>(std::cos(a));
    const float s = static_cast<float>(std::sin(a));
    const int u = (axis + 1) % 3, v = (axis + 2) % 3;
    // The right-handed turn about `axis` takes axis u towards axis v.
    Matrix3 m;
    m.rows[u] = Point3{};
    m.rows[v] = Point3{};
    m.rows[u][u] = c;
    m.rows[u][v] = s;
    m.rows[v][u] = -s;
    m.rows[v][v] = c;
    return m;
}

}  // namespace

Point3 operator+(Point3 a, Point3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Point3 operator-(Point3 a, Point3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Point3 operator*(Point3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
bool operator==(Point3 a, Point3 b) { return a.x == b.x && a.y == b.y && a.z == b.z; }
float DotProd(Point3 a, Point3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

Point3 CrossProd(Point3 a, Point3 b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Length(Point3 a) { return std::sqrt(DotProd(a, a)); }

Point3 Normalize(Point3 a) {
    const float length = Length(a);
    return length > 0.0f ? a * (1.0f / length) : a;
}

bool operator==(const Quat& a, const Quat& b) { return a.x == b.x && a.y == b.y && a.z == b.z && a.w == b.w; }

bool operator==(const Matrix3& a, const Matrix3& b) { return a.rows == b.rows; }

Matrix3 operator*(const Matrix3& a, const Matrix3& b) {
    Matrix3 product = FromLinear(Mul(Linear(a), Linear(b)));
    product.rows[3] = a.rows[3] * b;
    return product;
}

Point3 operator*(Point3 p, const Matrix3& m) { return VectorTransform(m, p) + m.rows[3]; }

Point3 VectorTransform(const Matrix3& m, Point3 v) {
    Point3 out;
    for (int c = 0; c < 3; ++c) {
        const double sum = double(v.x) * m.rows[0][c] + double(v.y) * m.rows[1][c] + double(v.z) * m.rows[2][c];
        out[c] = static_cast<float>(sum);
    }
    return out;
}

Matrix3 RotateXMatrix(float angle) { return AxisRotation(0, angle); }
Matrix3 RotateYMatrix(float angle) { return AxisRotation(1, angle); }
Matrix3 RotateZMatrix(float angle) { return AxisRotation(2, angle); }

Matrix3 ScaleMatrix(Point3 s) {
    Matrix3 m;
    for (int i = 0; i < 3; ++i) m.rows[i][i] = s[i];
    return m;
}

Matrix3 TransMatrix(Point3 t) {
    Matrix3 m;
    m.rows[3] = t;
    return m;
}

Matrix3 QuatToMatrix(const Quat& q) { return FromLinear(RotationFromQuat(q)); }

Quat MatrixToQuat(const Matrix3& m) { return QuatFromRotation(Linear(m)); }

Matrix3 Inverse(const Matrix3& m) {
    const Mat3d a = Linear(m);
    const double det = Det(a);
    const double row_lengths = Norm(a[0]) * Norm(a[1]) * Norm(a[2]);
    if (!(std::abs(det) > kRoundingCosine * row_lengths)) return Matrix3::Identity();
    Mat3d inv{};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            // Cofactor of a[c][r], with the cyclic index trick giving its sign.
            const int c1 = (c + 1) % 3, c2 = (c + 2) % 3, r1 = (r + 1) % 3, r2 = (r + 2) % 3;
            inv[r][c] = (a[c1][r1] * a[c2][r2] - a[c1][r2] * a[c2][r1]) / det;
        }
    }
    Matrix3 result = FromLinear(inv);
    const Point3 t = m.rows[3];
    Vec3d moved{};
    for (int c = 0; c < 3; ++c) moved[c] = -(t.x * inv[0][c] + t.y * inv[1][c] + t.z * inv[2][c]);
    result.rows[3] = Point3{static_cast<float>(moved[0]), static_cast<float>(moved[1]), static_cast<float>(moved[2])};
    return result;
}

Matrix3 Transpose3(const Matrix3& m) { return FromLinear(Transposed(Linear(m))); }

float Determinant3(const Matrix3& m) { return static_cast<float>(Det(Linear(m))); }

// Polar decomposition through the singular value decomposition
// A = V * diag(sigma) * W^T of the 3x3 part: the stretch is V diag(sigma) V^T
// and the orthogonal factor V W^T. V and sigma come from the eigenvectors of
// A A^T; W's columns are A^T v / sigma, completed by cross products where
// A is rank deficient (the orthogonal factor is then chosen proper).
AffineParts decomp_affine(const Matrix3& m) {
    AffineParts parts;
    parts.t = m.GetTrans();
    const Mat3d a = Linear(m);

    Vec3d lambda{};
    Mat3d v{};
    SymmetricEigen(Mul(a, Transposed(a)), lambda, v);
    Vec3d sigma{};
    for (int i = 0; i < 3; ++i) sigma[i] = std::isfinite(lambda[i]) ? std::sqrt(std::max(lambda[i], 0.0)) : 0.0;

    std::array<int, 3> order{0, 1, 2};
    std::stable_sort(order.begin(), order.end(), [&](int i, int j) { return sigma[i] > sigma[j]; });
    const double rank_tolerance = kRoundingCosine * sigma[order[0]];
    const Mat3d vt = Transposed(v);  // rows are the eigenvectors
    auto a_transposed_times = [&](int i) {
        Vec3d r{};
        for (int c = 0; c < 3; ++c) r[c] = a[0][c] * vt[i][0] + a[1][c] * vt[i][1] + a[2][c] * vt[i][2];
        return r;
    };

    Mat3d w = vt;  // rows are W's columns; a zero matrix keeps W = V
    if (sigma[order[0]] > 0.0) {
        const int i0 = order[0], i1 = order[1], i2 = order[2];
        w[i0] = Scaled(a_transposed_times(i0), 1.0 / sigma[i0]);
        w[i0] = Scaled(w[i0], 1.0 / Norm(w[i0]));
        Vec3d second = sigma[i1] > rank_tolerance ? a_transposed_times(i1) : AnyPerpendicular(w[i0]);
        for (int k = 0; k < 3; ++k) second[k] -= w[i0][k] * Dot(second, w[i0]);
        const double second_norm = Norm(second);
        w[i1] = second_norm > 0.0 ? Scaled(second, 1.0 / second_norm) : AnyPerpendicular(w[i0]);
        w[i2] = Cross(w[i0], w[i1]);
        const bool flip = sigma[i2] > rank_tolerance ? Dot(a_transposed_times(i2), w[i2]) < 0.0
                                                     : Det(v) * Det(w) < 0.0;
        if (flip) w[i2] = Scaled(w[i2], -1.0);
    }
    Mat3d orthogonal = Mul(v, w);  // V W^T, with w holding W^T

    // A reflection is folded into the stretch: the orthogonal factor is
    // negated to a proper rotation and f records the sign, so that the 3x3
    // part is (f * stretch) * rotation. For an axis-aligned stretch this is
    // what makes the mirror fix work: rebuilding with an X mirror in front
    // and decomposing again turns the half turn that the negation put into q
    // back out, and only k.x needs its sign restored.
    parts.f = Det(orthogonal) < 0.0 ? -1.0f : 1.0f;
    if (parts.f < 0) {
        for (auto& row : orthogonal) row = Scaled(row, -1.0);
    }
    parts.q = QuatFromRotation(orthogonal);

    Mat3d axes = vt;
    SnuggleStretch(axes, sigma);
    parts.u = QuatFromRotation(axes);
    parts.k = Point3{static_cast<float>(sigma[0]), static_cast<float>(sigma[1]), static_cast<float>(sigma[2])};
    return parts;
}

Point3 QuatToEuler(const Quat& q) {
    const Mat3d m = RotationFromQuat(q);
    // m == Rx(x) * Ry(y) * Rz(z): row 0 is (cy cz, cy sz, -sy), row 1 and
    // row 2 end in sx cy and cx cy.
    const double y = std::atan2(-m[0][2], std::hypot(m[0][0], m[0][1]));
    const double x = std::hypot(m[1][2], m[2][2]) < kGimbalCosine ? 0.0 : std::atan2(m[1][2], m[2][2]);
    // z from Rx(-x) * m == Ry(y) * Rz(z), whose row 1 is (-sz, cz, 0): it
    // absorbs whatever x left over, all of it in gimbal lock.
    const double cx = std::cos(x), sx = std::sin(x);
    const double z = std::atan2(sx * m[2][0] - cx * m[1][0], cx * m[1][1] - sx * m[2][1]);
    return Point3{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

}  // namespace korvo
