#include "writers/polygon_section.h"

#include "writers/matrix_groups.h"
#include "writers/matrix_palette.h"
#include "writers/model_limits.h"
#include "writers/model_lookups.h"
#include "writers/primitive_writer.h"
#include "writers/vertex_commands.h"

namespace korvo {

namespace {

constexpr const char* kPhase = "IMD: Exporting Meshes";

const char* OnOff(bool on) { return on ? "on" : "off"; }

bool TexturesPolygon(const ExportPolygon& polygon, const ExportMaterial& material) {
    return !polygon.tex_coords.empty() && material.tex_image_idx != -1 && material.texture_frame_count > 0 &&
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
    ExportScene& scene;
    ModelState& state;
    VertexCommandWriter& vertices;
    Diagnostics& diagnostics;
    const ExportMaterial& fallback_material;  // for a scene without materials
};

void WritePolygon(PolygonContext& context, ExportPolygon& polygon, std::size_t p, int32_t index) {
    TextWriter& out = context.out;
    ExportScene& scene = context.scene;

    const std::vector<Primitive>& plan = context.state.plans.at(p);
    const int32_t vertex_count = PlanVertexCount(plan);
    std::vector<int32_t> matrix_of_position(polygon.positions.size());
    for (std::size_t i = 0; i < matrix_of_position.size(); ++i) {
        matrix_of_position[i] = MatrixIndexOfVertex(scene, context.state, polygon, static_cast<int32_t>(i));
    }
    const std::vector<MatrixGroup> groups = BuildMatrixGroups(polygon, plan, matrix_of_position);

    const auto material_index = static_cast<std::size_t>(MaterialIndex(scene, polygon.material));
    const ExportMaterial& material =
        material_index < scene.materials.size() ? scene.materials[material_index] : context.fallback_material;
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
               OnOff(!polygon.colors.empty()), OnOff(TexturesPolygon(polygon, material)));
    out.Write("\t>\n");
    if (groups.size() > 1) context.diagnostics.Warn("Warning: Mtx_prim_size of <polygon> is over 1");

    context.vertices.BeginPolygon(polygon, material, matrix_of_position);
    for (std::size_t g = 0; g < groups.size(); ++g) {
        WriteGroup(out, context.vertices, polygon, groups[g], static_cast<int32_t>(g));
    }
    out.Write("\t</polygon>\n");

    ModelTotals& totals = context.state.totals;
    totals.vertices += vertex_count;
    totals.triangles += triangles;
    totals.quads += quads;
}

bool NearZero(const Vec3& n) {
    auto small = [](float v) { return v > -0.0005f && v < 0.0005f; };
    return small(n.x) && small(n.y) && small(n.z);
}

void CheckZeroNormals(const ExportScene& scene, Diagnostics& diagnostics) {
    for (const ExportPolygon& polygon : scene.polygons) {
        if (polygon.removed) continue;
        for (const Vec3& normal : polygon.normals) {
            if (NearZero(normal)) diagnostics.Warn("Warning: Zero normals exist " + polygon.name);
        }
    }
}

}  // namespace

void WritePolygonSection(TextWriter& out, ExportScene& scene, ModelState& state, VertexStyle style,
                         Diagnostics& diagnostics, Progress& progress) {
    const float step = progress.StepSize(2 * static_cast<int>(scene.polygons.size()));
    int32_t written = 0;
    for (const ExportPolygon& polygon : scene.polygons) {
        progress.Advance(step, kPhase);
        if (!polygon.removed) ++written;
    }
    if (written > 0) {
        out.Printf("\n<polygon_array size=\"%d\">\n", written);
        VertexCommandWriter vertices(out, scene, style, diagnostics);
        const ExportMaterial fallback_material;
        PolygonContext context{out, scene, state, vertices, diagnostics, fallback_material};
        int32_t index = 0;
        for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
            ExportPolygon& polygon = scene.polygons[p];
            if (polygon.removed) continue;
            progress.Advance(step, kPhase);
            WritePolygon(context, polygon, p, index++);
        }
        out.Write("</polygon_array>\n");
    }
    CheckModelLimits(state.totals, diagnostics);
    CheckZeroNormals(scene, diagnostics);
    progress.FinishStep(kPhase);
}

}  // namespace korvo
