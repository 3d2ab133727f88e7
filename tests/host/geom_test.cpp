#include "host/geom.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>

namespace korvo {
namespace {

constexpr double kPi = 3.14159265358979323846;
const float kQuarter = static_cast<float>(kPi / 2);
const float kThirty = static_cast<float>(kPi / 6);

std::string Describe(const Matrix3& m) {
    std::ostringstream out;
    for (const Point3& row : m.rows) out << "(" << row.x << ", " << row.y << ", " << row.z << ") ";
    return out.str();
}

void ExpectMatrixNear(const Matrix3& actual, const Matrix3& expected, float tolerance) {
    float worst = 0.0f;
    for (int r = 0; r < 4; ++r) {
        for (int c = 0; c < 3; ++c) worst = std::max(worst, std::abs(actual.rows[r][c] - expected.rows[r][c]));
    }
    EXPECT_LE(worst, tolerance)
        << "actual   " << Describe(actual) << "\nexpected " << Describe(expected);
}

void ExpectPointNear(Point3 actual, Point3 expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

Matrix3 Rows(Point3 x, Point3 y, Point3 z, Point3 t = {}) {
    Matrix3 m;
    m.rows = {x, y, z, t};
    return m;
}

Matrix3 EulerMatrix(Point3 e) { return RotateXMatrix(e.x) * RotateYMatrix(e.y) * RotateZMatrix(e.z); }

TEST(Geom, AxisMatricesAndProductsMatchHandComputedEntries) {
    const float tol = 1e-6f;
    ExpectMatrixNear(RotateXMatrix(kQuarter), Rows({1, 0, 0}, {0, 0, 1}, {0, -1, 0}), tol);
    ExpectMatrixNear(RotateYMatrix(kQuarter), Rows({0, 0, -1}, {0, 1, 0}, {1, 0, 0}), tol);
    ExpectMatrixNear(RotateZMatrix(kQuarter), Rows({0, 1, 0}, {-1, 0, 0}, {0, 0, 1}), tol);

    // The left factor is applied first.
    const Matrix3 scale = ScaleMatrix({2, 3, 4});
    const Matrix3 move = TransMatrix({1, 2, 3});
    EXPECT_EQ(Point3(Point3{1, 1, 1} * (scale * move)), (Point3{3, 5, 7}));
    EXPECT_EQ(Point3(Point3{1, 1, 1} * (move * scale)), (Point3{4, 9, 16}));
    EXPECT_EQ(VectorTransform(scale * move, {1, 1, 1}), (Point3{2, 3, 4}));

    EXPECT_EQ(Determinant3(ScaleMatrix({-1, 1, 1})), -1.0f);
    const Matrix3 sheared = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {5, 5, 5});
    EXPECT_EQ(Determinant3(sheared), -3.0f);
    ExpectPointNear(Normalize({0, 3, 4}), {0, 0.6f, 0.8f}, tol);
    EXPECT_EQ(Normalize({0, 0, 0}), (Point3{0, 0, 0}));
}

TEST(Geom, InverseUndoesAffineMatricesAndSingularGivesIdentity) {
    const Matrix3 sheared = Rows({1, 2, 3}, {4, 5, 6}, {7, 8, 10}, {5, -5, 2});
    ExpectMatrixNear(sheared * Inverse(sheared), Matrix3::Identity(), 1e-5f);

    EXPECT_EQ(Inverse(ScaleMatrix({0, 1, 1}) * TransMatrix({1, 2, 3})), Matrix3::Identity());
    EXPECT_EQ(Inverse(Rows({1, 2, 3}, {2, 4, 6}, {0, 0, 1})), Matrix3::Identity());
    EXPECT_EQ(Inverse(Rows({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 1, 1})), Matrix3::Identity());

    std::mt19937 random(7);
    std::uniform_real_distribution<float> angle(-3.2f, 3.2f), scale(0.1f, 10.0f), offset(-100.0f, 100.0f);
    for (int i = 0; i < 500; ++i) {
        const Matrix3 m = ScaleMatrix({scale(random), -scale(random), scale(random)}) *
                          EulerMatrix({angle(random), angle(random), angle(random)}) *
                          TransMatrix({offset(random), offset(random), offset(random)});
        ExpectMatrixNear(Inverse(m) * m, Matrix3::Identity(), 1e-4f);
        ExpectMatrixNear(Inverse(Inverse(m)), m, 1e-3f);
    }
}

TEST(Geom, QuaternionsAndMatricesRoundTrip) {
    const float half = std::sqrt(0.5f);
    const Quat x90 = MatrixToQuat(RotateXMatrix(kQuarter));
    ExpectPointNear({x90.x, x90.y, x90.z}, {half, 0, 0}, 1e-6f);
    EXPECT_NEAR(x90.w, half, 1e-6f);

    // Half turns about each axis and a diagonal exercise every branch.
    const float pi = static_cast<float>(kPi);
    for (const Matrix3& r : {RotateXMatrix(pi), RotateYMatrix(pi), RotateZMatrix(pi), RotateXMatrix(3.0f),
                             RotateYMatrix(-3.0f), RotateZMatrix(3.1f), EulerMatrix({pi, 0, pi / 2})}) {
        ExpectMatrixNear(QuatToMatrix(MatrixToQuat(r)), r, 2e-6f);
    }

    std::mt19937 random(11);
    std::normal_distribution<float> gauss;
    for (int i = 0; i < 2000; ++i) {
        const Quat q = MatrixToQuat(QuatToMatrix(Quat{gauss(random), gauss(random), gauss(random), gauss(random)}));
        const Matrix3 r = QuatToMatrix(q);
        const Quat back = MatrixToQuat(r);
        EXPECT_NEAR(back.x * back.x + back.y * back.y + back.z * back.z + back.w * back.w, 1.0f, 1e-6f);
        EXPECT_GE(back.w, 0.0f);
        ExpectMatrixNear(QuatToMatrix(back), r, 2e-6f);
    }
}

TEST(Geom, EulerAnglesRebuildTheRotationIncludingGimbalLock) {
    ExpectPointNear(QuatToEuler(MatrixToQuat(RotateXMatrix(kThirty))), {kThirty, 0, 0}, 1e-6f);
    ExpectPointNear(QuatToEuler(MatrixToQuat(RotateZMatrix(kQuarter))), {0, 0, kQuarter}, 1e-6f);
    ExpectPointNear(QuatToEuler(MatrixToQuat(EulerMatrix({0.1f, -0.2f, 0.3f}))), {0.1f, -0.2f, 0.3f}, 1e-6f);

    // At y = +90 degrees only x - z matters and at y = -90 degrees only
    // x + z: x is fixed to 0 and z takes the rest.
    const Point3 up = QuatToEuler(MatrixToQuat(EulerMatrix({0.3f, kQuarter, 0.5f})));
    ExpectPointNear(up, {0, kQuarter, 0.2f}, 2e-5f);
    const Point3 down = QuatToEuler(MatrixToQuat(EulerMatrix({0.3f, -kQuarter, 0.5f})));
    ExpectPointNear(down, {0, -kQuarter, 0.8f}, 2e-5f);

    std::mt19937 random(13);
    std::uniform_real_distribution<float> angle(-3.1f, 3.1f);
    std::uniform_int_distribution<int> pick(0, 5);
    const float nudges[] = {0.0f, 1e-7f, -3e-7f, 1e-5f, -1e-4f, 1e-3f};
    for (int i = 0; i < 3000; ++i) {
        float y = angle(random) / 2;
        if (i % 2 == 1) y = (i % 4 == 1 ? kQuarter : -kQuarter) + nudges[pick(random)];
        const Matrix3 r = EulerMatrix({angle(random), y, angle(random)});
        const Point3 e = QuatToEuler(MatrixToQuat(r));
        EXPECT_LE(std::abs(e.y), kQuarter + 1e-6f);
        ExpectMatrixNear(EulerMatrix(e), r, 4e-6f);
    }
}

TEST(Geom, DecompAffineSeparatesScaleRotationAndTranslation) {
    const Matrix3 rotation = EulerMatrix({0.4f, -1.1f, 2.5f});
    const AffineParts plain = decomp_affine(ScaleMatrix({2, 3, 0.5f}) * rotation * TransMatrix({1, -2, 30}));
    ExpectPointNear(plain.k, {2, 3, 0.5f}, 2e-6f);
    ExpectMatrixNear(QuatToMatrix(plain.q), rotation, 2e-6f);
    EXPECT_EQ(plain.t, (Point3{1, -2, 30}));
    EXPECT_EQ(plain.f, 1.0f);

    // A pure mirror: positive stretch, the reflection in f, a proper rotation.
    const AffineParts mirror = decomp_affine(ScaleMatrix({-1, 1, 1}));
    EXPECT_EQ(mirror.f, -1.0f);
    ExpectPointNear(mirror.k, {1, 1, 1}, 1e-6f);
    ExpectMatrixNear(QuatToMatrix(mirror.q), RotateXMatrix(static_cast<float>(kPi)), 1e-6f);
    ExpectMatrixNear(ScaleMatrix(mirror.k * mirror.f) * QuatToMatrix(mirror.q), ScaleMatrix({-1, 1, 1}), 1e-6f);

    // A stretch along rotated axes, mirrored and sheared: the documented rebuild.
    std::mt19937 random(17);
    std::uniform_real_distribution<float> angle(-3.1f, 3.1f), scale(0.2f, 5.0f), entry(-3.0f, 3.0f);
    for (int i = 0; i < 300; ++i) {
        const Matrix3 axes = EulerMatrix({angle(random), angle(random), angle(random)});
        const Point3 k{scale(random), scale(random), i % 2 ? -scale(random) : scale(random)};
        Matrix3 m = Transpose3(axes) * ScaleMatrix(k) * axes * EulerMatrix({angle(random), angle(random), 0.3f}) *
                    TransMatrix({entry(random), 7, -1});
        if (i % 3 == 0) m = Rows({entry(random), entry(random), entry(random)}, {entry(random), entry(random), 0.5f},
                                 {1, entry(random), entry(random)}, {4, 5, 6});
        const AffineParts parts = decomp_affine(m);
        EXPECT_EQ(parts.f, Determinant3(m) < 0 ? -1.0f : 1.0f);
        EXPECT_GT(std::min({parts.k.x, parts.k.y, parts.k.z}), 0.0f);
        const Matrix3 u = QuatToMatrix(parts.u);
        const Matrix3 rebuilt =
            Transpose3(u) * ScaleMatrix(parts.k * parts.f) * u * QuatToMatrix(parts.q) * TransMatrix(parts.t);
        const float size = std::max({std::abs(parts.k.x), std::abs(parts.k.y), std::abs(parts.k.z)});
        ExpectMatrixNear(rebuilt, m, 1e-5f * size);
    }

    // A scale of zero on one axis is rank deficient but still decomposes.
    const AffineParts flat = decomp_affine(ScaleMatrix({0, 2, 1}) * rotation);
    ExpectPointNear(flat.k, {0, 2, 1}, 1e-6f);
    EXPECT_EQ(flat.f, 1.0f);
    ExpectMatrixNear(QuatToMatrix(flat.q), rotation, 2e-6f);
    const AffineParts nothing = decomp_affine(Rows({0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {1, 2, 3}));
    EXPECT_EQ(nothing.k, (Point3{0, 0, 0}));
    EXPECT_EQ(nothing.q, Quat{});
    EXPECT_EQ(nothing.t, (Point3{1, 2, 3}));
}

}  // namespace
}  // namespace korvo
