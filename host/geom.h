#pragma once
// The host's matrix, point and quaternion library.
//
// Conventions are the host's: row vectors, so a point is transformed as
// p' = p * M and in a product A * B the left factor A is applied first.
// A Matrix3 is a 4x3 affine matrix: rows 0..2 are the images of the X, Y and
// Z axes, row 3 is the translation.

#include <array>

namespace korvo {

struct Point3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;

    float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
    float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};

Point3 operator+(Point3 a, Point3 b);
Point3 operator-(Point3 a, Point3 b);
Point3 operator*(Point3 a, float s);
bool operator==(Point3 a, Point3 b);
float DotProd(Point3 a, Point3 b);
Point3 CrossProd(Point3 a, Point3 b);
float Length(Point3 a);
// Unit vector; a zero vector stays zero.
Point3 Normalize(Point3 a);

// A unit quaternion (x, y, z) = axis * sin(angle / 2), w = cos(angle / 2),
// rotating in the same sense as RotateXMatrix and friends.
struct Quat {
    float x = 0.0f, y = 0.0f, z = 0.0f, w = 1.0f;
};

bool operator==(const Quat& a, const Quat& b);

struct Matrix3 {
    std::array<Point3, 4> rows{Point3{1, 0, 0}, Point3{0, 1, 0}, Point3{0, 0, 1}, Point3{0, 0, 0}};

    static Matrix3 Identity() { return Matrix3{}; }
    Point3 GetTrans() const { return rows[3]; }
    void SetTrans(Point3 t) { rows[3] = t; }
};

bool operator==(const Matrix3& a, const Matrix3& b);
// a is applied first, then b.
Matrix3 operator*(const Matrix3& a, const Matrix3& b);
// Transforms a point (translation included).
Point3 operator*(Point3 p, const Matrix3& m);
// Transforms a direction (translation ignored).
Point3 VectorTransform(const Matrix3& m, Point3 v);

Matrix3 RotateXMatrix(float angle);
Matrix3 RotateYMatrix(float angle);
Matrix3 RotateZMatrix(float angle);
Matrix3 ScaleMatrix(Point3 s);
Matrix3 TransMatrix(Point3 t);
Matrix3 QuatToMatrix(const Quat& q);
Quat MatrixToQuat(const Matrix3& m);
// Inverse of an affine matrix; a singular matrix gives the identity.
Matrix3 Inverse(const Matrix3& m);
// The 3x3 part transposed, translation cleared.
Matrix3 Transpose3(const Matrix3& m);
float Determinant3(const Matrix3& m);

// Polar decomposition of an affine matrix into translation t, a proper
// rotation q and a stretch of positive factors k along the axes given by u
// (the rows of U = QuatToMatrix(u), i.e. u applied to X, Y and Z), with f the
// sign of the determinant. The reflection of a mirrored matrix (f = -1) is
// carried by the stretch, so M is rebuilt as
//   Transpose3(U) * ScaleMatrix(k * f) * U * QuatToMatrix(q) * TransMatrix(t).
// For M = ScaleMatrix(s) * R * TransMatrix(t) with positive s this gives
// k = s, q = R and u = identity; with a mirrored s the rotation q takes up a
// half turn and M == ScaleMatrix(k * f) * QuatToMatrix(q) * TransMatrix(t).
struct AffineParts {
    Point3 t;        // translation
    Quat q;          // essential rotation
    Quat u;          // stretch rotation
    Point3 k{1, 1, 1};  // stretch factors (scale)
    float f = 1.0f;  // sign of the determinant
};

AffineParts decomp_affine(const Matrix3& m);

// Euler angles (radians) about X, then Y, then Z:
// RotateXMatrix(a.x) * RotateYMatrix(a.y) * RotateZMatrix(a.z) == QuatToMatrix(q).
Point3 QuatToEuler(const Quat& q);

}  // namespace korvo
