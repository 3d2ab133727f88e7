#include "optimize/magnification.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/progress.h"
#include "core/quantize.h"

namespace korvo {

namespace {

Vec3 Scaled(const Vec3& v, float factor) { return {v.x * factor, v.y * factor, v.z * factor}; }

bool OutOfRange(float value) { return value < -8.0f || value >= 8.0f; }

// Halvings that bring every position of the polygons still drawn into
// [-8, 8). Halving is exact in floating point, so following the smallest
// and largest component gives the same count as halving every position.
// Non-finite values would never come into range and are left out.
int32_t CountHalvings(const ExportScene& scene) {
    float low = 0.0f, high = 0.0f;
    for (const ExportPolygon& polygon : scene.polygons) {
        if (polygon.removed) continue;
        for (const Vec3& p : polygon.positions) {
            for (float v : {p.x, p.y, p.z}) {
                if (!std::isfinite(v)) continue;
                low = std::min(low, v);
                high = std::max(high, v);
            }
        }
    }
    int32_t halvings = 0;
    while (OutOfRange(low) || OutOfRange(high)) {
        low *= 0.5f;
        high *= 0.5f;
        ++halvings;
    }
    return halvings;
}

void ScalePositions(ExportScene& scene) {
    const int32_t halvings = CountHalvings(scene);
    const float factor = std::ldexp(1.0f, -halvings);
    for (ExportPolygon& polygon : scene.polygons) {
        polygon.unscaled_positions = polygon.positions;
        // Removed polygons are not halved, but still rounded.
        const float scale = polygon.removed ? 1.0f : factor;
        for (Vec3& p : polygon.positions) {
            p = {Quantize4096(p.x * scale), Quantize4096(p.y * scale), Quantize4096(p.z * scale)};
        }
    }
    scene.pos_scale = halvings;
}

}  // namespace

// Removed polygons are scaled too: whatever still reads their volumes sees
// the same units as the rest of the scene. Rotations, scales, normals and
// texture coordinates have no length and stay.
void MagnifyScene(ExportScene& scene, float magnify, Progress& progress) {
    static constexpr std::string_view kCaption = "Magnifying Scene";
    const float step = progress.StepSize(static_cast<int>(scene.polygons.size() + scene.nodes.size()));
    for (ExportPolygon& polygon : scene.polygons) {
        progress.Advance(step, kCaption);
        for (Vec3& p : polygon.positions) p = Scaled(p, magnify);
        polygon.volume_min = Scaled(polygon.volume_min, magnify);
        polygon.volume_max = Scaled(polygon.volume_max, magnify);
        polygon.volume_r *= magnify;
    }
    for (ExportNode& node : scene.nodes) {
        progress.Advance(step, kCaption);
        node.translate = Scaled(node.translate, magnify);
        for (Vec3& t : node.translate_samples) t = Scaled(t, magnify);
        node.volume_min = Scaled(node.volume_min, magnify);
        node.volume_max = Scaled(node.volume_max, magnify);
        node.volume_r *= magnify;
    }
    progress.FinishStep(kCaption);
}

void ComputePositionScale(ExportScene& scene) {
    // The hardware holds positions in [-8, 8): the model file records how
    // often they were halved (pos_scale) so the runtime can undo it.
    ScalePositions(scene);
}

}  // namespace korvo
