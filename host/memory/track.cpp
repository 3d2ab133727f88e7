#include "host/memory/track.h"

#include <cmath>

namespace korvo {

float Interpolate(float a, float b, float s) { return a + (b - a) * s; }

Point3 Interpolate(Point3 a, Point3 b, float s) {
    return Point3{Interpolate(a.x, b.x, s), Interpolate(a.y, b.y, s), Interpolate(a.z, b.z, s)};
}

HostColor Interpolate(HostColor a, HostColor b, float s) {
    return HostColor{Interpolate(a.r, b.r, s), Interpolate(a.g, b.g, s), Interpolate(a.b, b.b, s)};
}

Quat Interpolate(const Quat& a, const Quat& b, float s) {
    double bx = b.x, by = b.y, bz = b.z, bw = b.w;
    double cosine = double(a.x) * bx + double(a.y) * by + double(a.z) * bz + double(a.w) * bw;
    if (cosine < 0.0) {
        cosine = -cosine;
        bx = -bx, by = -by, bz = -bz, bw = -bw;
    }
    double wa = 1.0 - s, wb = s;
    // Nearly equal rotations: the linear blend is exact enough and avoids
    // dividing by a vanishing sine.
    if (cosine < 0.9999) {
        const double angle = std::acos(cosine);
        const double sine = std::sin(angle);
        wa = std::sin((1.0 - s) * angle) / sine;
        wb = std::sin(s * angle) / sine;
    }
    double x = wa * a.x + wb * bx, y = wa * a.y + wb * by, z = wa * a.z + wb * bz, w = wa * a.w + wb * bw;
    const double length = std::sqrt(x * x + y * y + z * z + w * w);
    if (length > 0.0) x /= length, y /= length, z /= length, w /= length;
    return Quat{static_cast<float>(x), static_cast<float>(y), static_cast<float>(z), static_cast<float>(w)};
}

}  // namespace korvo
