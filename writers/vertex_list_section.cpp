#include "writers/vertex_list_section.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Exporting Vertex List";

void WritePositions(TextWriter& out, const ExportScene& scene) {
    if (scene.polygons.empty()) return;
    int32_t total = 0;
    for (const ExportPolygon& polygon : scene.polygons) {
        if (!polygon.removed) total += static_cast<int32_t>(polygon.positions.size());
    }
    out.Printf("\n<vtx_pos_data pos_size=\"%d\">\n", total);
    for (const ExportPolygon& polygon : scene.polygons) {
        if (polygon.removed) continue;
        for (const Vec3& p : polygon.positions) out.Printf("\t%f %f %f\n", p.x, p.y, p.z);
    }
    out.Printf("</vtx_pos_data>\n");
}

void WriteColors(TextWriter& out, const ExportScene& scene) {
    int32_t total = 0;
    for (const ExportPolygon& polygon : scene.polygons) {
        if (!polygon.removed) total += static_cast<int32_t>(polygon.colors.size());
    }
    if (total == 0) return;
    out.Printf("\n<vtx_color_data color_size=\"%d\">\n", total);
    for (const ExportPolygon& polygon : scene.polygons) {
        if (polygon.removed) continue;
        for (const VertexColor& c : polygon.colors) out.Printf("\t%d %d %d\n", c.r >> 3, c.g >> 3, c.b >> 3);
    }
    out.Printf("</vtx_color_data>\n");
}

}  // namespace

void WriteVertexLists(TextWriter& out, const ExportScene& scene, VertexStyle style, Progress& progress) {
    if (style == VertexStyle::Index) {
        WritePositions(out, scene);
        WriteColors(out, scene);
    }
    progress.FinishStep(kProgressText);
}

}  // namespace korvo
