#include "writers/position_encoding.h"

#include <cmath>
#include <cstdint>

#include "core/format.h"

namespace korvo {

namespace {

// The hardware's 4.12 fixed-point value of a coordinate, truncated.
int16_t FixedPoint(float value) {
    const double scaled = std::trunc(static_cast<double>(value) * 4096.0);
    // Values outside 16 bits wrap as they would in the hardware register.
    return static_cast<int16_t>(static_cast<int64_t>(std::fmax(-1e15, std::fmin(1e15, scaled))));
}

// pos_s carries 10 bits per axis: the fixed-point value must have its low
// 6 bits clear.
bool FitsShortForm(const Vec3& p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return false;
    return ((FixedPoint(p.x) | FixedPoint(p.y) | FixedPoint(p.z)) & 0x3F) == 0;
}

}  // namespace

std::string PositionCommand(const Vec3& position, const Vec3& last, bool first_corner) {
    const Vec3& p = position;
    if (first_corner) {
        if (FitsShortForm(p)) {
            return Format("<pos_s xyz=\"%f %f %f\"/>\n", FixedPoint(p.x) / 4096.0, FixedPoint(p.y) / 4096.0,
                          FixedPoint(p.z) / 4096.0);
        }
        return Format("<pos_xyz xyz=\"%f %f %f\"/>\n", p.x, p.y, p.z);
    }
    const float dx = p.x - last.x;
    const float dy = p.y - last.y;
    const float dz = p.z - last.z;
    if (std::fabs(dx) < 0.125f && std::fabs(dy) < 0.125f && std::fabs(dz) < 0.125f) {
        return Format("<pos_diff xyz=\"%f %f %f\"/>\n", dx, dy, dz);
    }
    if (p.x == last.x) return Format("<pos_yz yz=\"%f %f\"/>\n", p.y, p.z);
    if (p.y == last.y) return Format("<pos_xz xz=\"%f %f\"/>\n", p.x, p.z);
    if (p.z == last.z) return Format("<pos_xy xy=\"%f %f\"/>\n", p.x, p.y);
    return Format("<pos_xyz xyz=\"%f %f %f\"/>\n", p.x, p.y, p.z);
}

}  // namespace korvo
