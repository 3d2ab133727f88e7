#include "writers/polygon_section.h"

#include "writers/attribute_words.h"
#include "writers/matrix_groups.h"
#include "writers/model_lookups.h"
#include "writers/primitive_writer.h"
#include "writers/vertex_commands.h"

namespace korvo {

namespace {

constexpr const char* kPhase = "IMD: Exporting Meshes";

bool NearZero(const Vec3& n) {
    auto small = [](float v) { return v > -0.0005f && v < 0.0005f; };
    return small(n.x) && small(n.y) && small(n.z);
}

bool TexturesPolygon(const ExportPolygon& polygon, const ExportMaterial& material, int32_t image) {
    return !polygon.tex_coords.empty() && image != -1 && material.texture_frame_count > 0 &&
           !GeneratesTexCoordsFromMaterial(material);
}

void WriteGroup(TextWriter& out, VertexCommandWriter& vertices, const ExportPolygon& polygon,
                const MatrixGroup& group, int32_t index) {
    out.Printf("\t\t<mtx_prim index=\"%d\">\n", index);
    out.Printf("\t\t\t<mtx_list size=\"%d\">", static_cast<int>(group.matrices.size()));
    for (std::size_t i = 0; i < group.matrices.size(); ++i) out.Printf(i == 0 ? "%d" : " %d", group.matrices[i]);
    out.Write("</mtx_list>\n");
    out.Printf("\t\t\t<primitive_array size=\"%d\">\n", static_cast<int>(group.primitives.size()));
    vertices.BeginGroup(group.matrices);
    for (std::size_t i = 0; i < group.primitives.size(); ++i) {
        WritePrimitive(out, vertices, polygon, group.primitives[i], static_cast<int32_t>(i));
    }
    out.Write("\t\t\t</primitive_array>\n");
    out.Write("\t\t</mtx_prim>\n");
}

struct PolygonContext {
    TextWriter& out;
    const ExportScene& scene;
    const ModelLayout& layout;
    ModelTotals& totals;
    std::vector<const std::string*>& zero_normals;  // a polygon's name for each of its near-zero normals
    VertexCommandWriter& vertices;
    Diagnostics& diagnostics;
    const ExportMaterial& fallback_material;  // for a scene without materials
};

void WritePolygon(PolygonContext& context, const ExportPolygon& polygon, const PolygonLayout& laid_out, int32_t index) {
    TextWriter& out = context.out;
    const ExportScene& scene = context.scene;

    const int32_t vertex_count = PlanVertexCount(laid_out.plan);
    const std::vector<MatrixGroup> groups = BuildMatrixGroups(polygon, laid_out.plan, laid_out.position_matrices);

    const auto material_index = static_cast<std::size_t>(MaterialIndex(scene, polygon.material));
    const bool has_material = material_index < scene.materials.size();
    const ExportMaterial& material = has_material ? scene.materials[material_index] : context.fallback_material;
    const int32_t image = has_material ? context.layout.material_images[material_index] : -1;
    const auto triangles = static_cast<int32_t>(polygon.triangles.size());
    const auto quads = static_cast<int32_t>(polygon.quads.size());
    auto scaled = [&](float value) { return ScaledPosition(scene, value); };

    out.Printf("\t<polygon index=\"%d\" name=\"%s\"\n", index, polygon.name.c_str());
    out.Printf("\t\tvertex_size=\"%d\" polygon_size=\"%d\"\n", vertex_count, triangles + quads);
    out.Printf("\t\ttriangle_size=\"%d\" quad_size=\"%d\"\n", triangles, quads);
    out.Printf("\t\tvolume_min=\"%f %f %f\"\n", scaled(polygon.volume_min.x), scaled(polygon.volume_min.y),
               scaled(polygon.volume_min.z));
    out.Printf("\t\tvolume_max=\"%f %f %f\"\n", scaled(polygon.volume_max.x), scaled(polygon.volume_max.y),
               scaled(polygon.volume_max.z));
    out.Printf("\t\tvolume_r=\"%f\"\n", scaled(polygon.volume_r));
    out.Printf("\t\tmtx_prim_size=\"%d\"\n", static_cast<int>(groups.size()));
    out.Printf("\t\tnrm_flag=\"%s\" clr_flag=\"%s\" tex_flag=\"%s\"\n", OnOff(material.lights_enabled),
               OnOff(!polygon.colors.empty()), OnOff(TexturesPolygon(polygon, material, image)));
    out.Write("\t>\n");
    if (groups.size() > 1) context.diagnostics.Warn("Warning: Mtx_prim_size of <polygon> is over 1");

    context.vertices.BeginPolygon(polygon, laid_out, material, image);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        WriteGroup(out, context.vertices, polygon, groups[g], static_cast<int32_t>(g));
    }
    out.Write("\t</polygon>\n");
    for (const Vec3& normal : context.vertices.normals()) {
        if (NearZero(normal)) context.zero_normals.push_back(&polygon.name);
    }

    ModelTotals& totals = context.totals;
    totals.vertices += vertex_count;
    totals.triangles += triangles;
    totals.quads += quads;
}

}  // namespace

void WritePolygonSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, VertexStyle style,
                         ModelTotals& totals, Diagnostics& diagnostics, Progress& progress) {
    const float step = progress.StepSize(2 * static_cast<int>(scene.polygons.size()));
    // Normals are checked as they were sent, after the limits.
    std::vector<const std::string*> zero_normals;
    int32_t written = 0;
    for (const ExportPolygon& polygon : scene.polygons) {
        progress.Advance(step, kPhase);
        if (!polygon.removed) ++written;
    }
    if (written > 0) {
        out.Printf("\n<polygon_array size=\"%d\">\n", written);
        VertexCommandWriter vertices(out, scene, style, diagnostics);
        const ExportMaterial fallback_material;
        PolygonContext context{out, scene, layout, totals, zero_normals, vertices, diagnostics, fallback_material};
        int32_t index = 0;
        for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
            const ExportPolygon& polygon = scene.polygons[p];
            if (polygon.removed) continue;
            progress.Advance(step, kPhase);
            WritePolygon(context, polygon, layout.polygons[p], index++);
        }
        out.Write("</polygon_array>\n");
    }
    CheckModelLimits(totals, diagnostics);
    for (const std::string* name : zero_normals) diagnostics.Warn("Warning: Zero normals exist " + *name);
    progress.FinishStep(kPhase);
}

}  // namespace korvo
