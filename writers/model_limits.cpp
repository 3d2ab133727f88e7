#include "writers/model_limits.h"

namespace korvo {

namespace {

constexpr int32_t kMaxVertices = 6144;
constexpr int32_t kMaxQuadsOnly = 1706;
constexpr int32_t kMaxTrianglesOnly = 2048;
// Triangles cost 20 units of the display list and quads 24.
constexpr int32_t kMaxPolygonBudget = 40960;

}  // namespace

void CheckModelLimits(const ModelTotals& totals, Diagnostics& diagnostics) {
    if (totals.vertices > kMaxVertices) {
        diagnostics.WarnF("%s: %d Vertices (Max %d)", "Warning: Total vertex size over", totals.vertices, kMaxVertices);
    }
    if (totals.triangles == 0) {
        if (totals.quads > kMaxQuadsOnly) {
            diagnostics.WarnF("%s: %d Quadrilaterals (Max %d)", "Warning: Total quadrilateral size over", totals.quads,
                              kMaxQuadsOnly);
        }
    } else if (totals.quads == 0) {
        if (totals.triangles > kMaxTrianglesOnly) {
            diagnostics.WarnF("%s: %d Polygons (Max %d)", "Warning: Total polygon size over", totals.triangles,
                              kMaxTrianglesOnly);
        }
    } else if (int64_t{totals.triangles} * 20 + int64_t{totals.quads} * 24 > kMaxPolygonBudget) {
        diagnostics.WarnF("%s: Must satisfy formula (numPolys * 20 + numQuads * 24 <= %d)",
                          "Warning: Total polygon and quadrilateral size over", kMaxPolygonBudget);
    }
}

}  // namespace korvo
