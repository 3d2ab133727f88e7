#pragma once
// The records' vectors and the few operations on them, in single
// precision. (The host has its own, Point3, for host-side code.)

namespace korvo {

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

struct Vec2 {
    float s = 0.0f, t = 0.0f;
    friend bool operator==(const Vec2&, const Vec2&) = default;
};

inline Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
    return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

// a divided by its length; a zero vector stays zero.
Vec3 Normalized(const Vec3& a);

// The unit normal of the triangle a, b, c as its winding turns:
// (b - a) x (c - a), normalised; zero for a degenerate triangle.
Vec3 FaceNormal(const Vec3& a, const Vec3& b, const Vec3& c);

}  // namespace korvo
