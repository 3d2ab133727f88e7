#include "core/vectors.h"

#include <cmath>

namespace korvo {

Vec3 Normalized(const Vec3& a) {
    const float length = std::sqrt(Dot(a, a));
    return length > 0.0f ? Vec3{a.x / length, a.y / length, a.z / length} : a;
}

Vec3 FaceNormal(const Vec3& a, const Vec3& b, const Vec3& c) { return Normalized(Cross(b - a, c - a)); }

}  // namespace korvo
