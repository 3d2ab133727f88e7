#include "writers/box_test_section.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/quantize.h"
#include "writers/model_lookups.h"
#include "core/node_world_matrix.h"

namespace korvo {

namespace {

struct Box {
    Vec3 min{std::numeric_limits<float>::max(), std::numeric_limits<float>::max(), std::numeric_limits<float>::max()};
    Vec3 max{-std::numeric_limits<float>::max(), -std::numeric_limits<float>::max(),
             -std::numeric_limits<float>::max()};
    bool empty = true;

    void Add(const Vec3& p) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y) || !std::isfinite(p.z)) return;
        min = {std::min(min.x, p.x), std::min(min.y, p.y), std::min(min.z, p.z)};
        max = {std::max(max.x, p.x), std::max(max.y, p.y), std::max(max.z, p.z)};
        empty = false;
    }
};

// Model-space box over every polygon's positions before scaling. A vertex
// hanging on one bone is stored in that bone's space; a blended vertex is
// already in model space.
Box ModelBox(const ExportScene& scene) {
    Box box;
    if (scene.nodes.empty()) return box;
    const std::vector<ColumnMatrix> world = NodeWorldMatrices(scene);
    const NodeIndex node_index(scene);
    const ColumnMatrix identity;
    auto matrix_of = [&](int32_t node_id) -> const ColumnMatrix& {
        const int32_t i = node_index(node_id);
        return i >= 0 ? world[static_cast<std::size_t>(i)] : identity;
    };
    for (const ExportPolygon& polygon : scene.polygons) {
        const ColumnMatrix& own = matrix_of(polygon.node);
        for (std::size_t v = 0; v < polygon.unscaled_positions.size(); ++v) {
            const Vec3& p = polygon.unscaled_positions[v];
            if (!polygon.skinned() || v >= polygon.skin.size()) {
                box.Add(Apply(own, p));
                continue;
            }
            const SkinEntry& entry = polygon.skin[v];
            if (entry.count >= 2) {
                box.Add(p);
            } else if (entry.count == 1 && !entry.nodes.empty()) {
                box.Add(Apply(matrix_of(entry.nodes[0]), p));
            } else {
                box.Add(Apply(own, p));
            }
        }
    }
    return box;
}

bool OutOfRange(float v) { return v < -8.0f || v >= 8.0f; }
bool AnyOutOfRange(const Vec3& v) { return OutOfRange(v.x) || OutOfRange(v.y) || OutOfRange(v.z); }
Vec3 Scaled(const Vec3& v, float factor) { return {v.x * factor, v.y * factor, v.z * factor}; }
Vec3 Quantized(const Vec3& v) { return {Quantize4096(v.x), Quantize4096(v.y), Quantize4096(v.z)}; }

int32_t HalveIntoRange(Vec3& v) {
    int32_t halvings = 0;
    while (AnyOutOfRange(v)) {
        v = Scaled(v, 0.5f);
        ++halvings;
    }
    return halvings;
}

}  // namespace

void WriteBoxTest(TextWriter& out, const ExportScene& scene) {
    if (std::all_of(scene.polygons.begin(), scene.polygons.end(),
                    [](const ExportPolygon& polygon) { return polygon.removed; })) {
        return;
    }
    const Box box = ModelBox(scene);
    Vec3 xyz, whd;
    if (!box.empty) {
        xyz = box.min;
        whd = {box.max.x - box.min.x, box.max.y - box.min.y, box.max.z - box.min.z};
    }
    // Corner and size are brought into range apart, then onto the larger
    // of the two scales, so that the far corner is in range too.
    const int32_t corner_halvings = HalveIntoRange(xyz);
    const int32_t size_halvings = HalveIntoRange(whd);
    if (corner_halvings > size_halvings) whd = Scaled(whd, std::ldexp(1.0f, size_halvings - corner_halvings));
    if (size_halvings > corner_halvings) xyz = Scaled(xyz, std::ldexp(1.0f, corner_halvings - size_halvings));
    int32_t scale = std::max(corner_halvings, size_halvings);
    auto far_corner = [&] {
        const Vec3 a = Quantized(xyz), b = Quantized(whd);
        return Vec3{a.x + b.x, a.y + b.y, a.z + b.z};
    };
    while (AnyOutOfRange(far_corner())) {
        xyz = Scaled(xyz, 0.5f);
        whd = Scaled(whd, 0.5f);
        ++scale;
    }
    const Vec3 q_xyz = Quantized(xyz), q_whd = Quantized(whd);
    out.Printf("\n<box_test pos_scale=\"%d\" xyz=\"%f %f %f\" whd=\"%f %f %f\"/>\n", scale, q_xyz.x, q_xyz.y, q_xyz.z,
               q_whd.x, q_whd.y, q_whd.z);
}

}  // namespace korvo
