#include "core/polygon_volume.h"

#include <algorithm>
#include <cmath>

namespace korvo {

namespace {

constexpr float kLargest = 3.4028235e38f;

template <class Face>
void AddCorners(const ExportPolygon& polygon, const std::vector<Face>& faces, Vec3& low, Vec3& high) {
    for (const Face& face : faces) {
        for (uint16_t index : face.position) {
            if (index >= polygon.positions.size()) continue;
            const Vec3& p = polygon.positions[index];
            low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
            high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
        }
    }
}

}  // namespace

void UpdatePolygonVolume(ExportPolygon& polygon) {
    Vec3 low{kLargest, kLargest, kLargest};
    Vec3 high{-kLargest, -kLargest, -kLargest};
    AddCorners(polygon, polygon.triangles, low, high);
    AddCorners(polygon, polygon.quads, low, high);
    polygon.volume_min = low;
    polygon.volume_max = high;
    polygon.volume_r = VolumeRadius(low, high);
}

float VolumeRadius(const Vec3& low, const Vec3& high) {
    const float dx = high.x - (low.x + high.x) * 0.5f;
    const float dy = high.y - (low.y + high.y) * 0.5f;
    const float dz = high.z - (low.z + high.z) * 0.5f;
    return std::sqrt(dx * dx + dy * dy + dz * dz);
}

}  // namespace korvo
