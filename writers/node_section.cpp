#include "writers/node_section.h"

#include <array>
#include <unordered_map>

#include "writers/attribute_words.h"
#include "writers/model_lookups.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Exporting Nodes";

constexpr std::array<const char*, 5> kKinds{"null", "mesh", "joint", "chain", "effector"};
constexpr std::array<const char*, 3> kBillboards{"off", "on", "y_on"};

// A polygon as the node that draws it lists it.
struct Display {
    const ExportPolygon* polygon;
    int32_t index;  // in polygon_array
    int32_t vertex_count;
};

// The polygons each node draws, keyed by owner id, in polygon order.
std::unordered_map<int32_t, std::vector<Display>> DisplaysByOwner(const ExportScene& scene, const ModelLayout& layout) {
    std::unordered_map<int32_t, std::vector<Display>> displays;
    int32_t index = 0;
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        const ExportPolygon& polygon = scene.polygons[p];
        if (polygon.removed) continue;
        displays[polygon.node].push_back({&polygon, index++, PlanVertexCount(layout.polygons[p].plan)});
    }
    return displays;
}

// The static transform in every mode. Uniting leaves one node whose static
// transform and first samples are both the identity, so the first samples
// would write the same; until uniting runs, the nodes keep their own
// transforms, and only the static ones are right for them.
void WriteTransform(TextWriter& out, const ExportNode& node) {
    const Vec3 &s = node.scale, &r = node.rotate, &t = node.translate;
    out.Printf("\t\tscale=\"%f %f %f\"\n", s.x, s.y, s.z);
    out.Printf("\t\trotate=\"%f %f %f\"\n", r.x, r.y, r.z);
    out.Printf("\t\ttranslate=\"%f %f %f\"\n", t.x, t.y, t.z);
}

void WriteGeometry(TextWriter& out, const ExportScene& scene, const ExportNode& node,
                   const std::vector<Display>& displays) {
    int32_t vertices = 0, triangles = 0, quads = 0;
    for (const Display& display : displays) {
        vertices += display.vertex_count;
        triangles += static_cast<int32_t>(display.polygon->triangles.size());
        quads += static_cast<int32_t>(display.polygon->quads.size());
    }
    const auto scaled = [&scene](const Vec3& v) {
        return Vec3{ScaledPosition(scene, v.x), ScaledPosition(scene, v.y), ScaledPosition(scene, v.z)};
    };
    const Vec3 low = scaled(node.volume_min), high = scaled(node.volume_max);
    out.Printf("\t\tvertex_size=\"%d\" polygon_size=\"%d\"\n", vertices, triangles + quads);
    out.Printf("\t\ttriangle_size=\"%d\" quad_size=\"%d\"\n", triangles, quads);
    out.Printf("\t\tvolume_min=\"%f %f %f\"\n", low.x, low.y, low.z);
    out.Printf("\t\tvolume_max=\"%f %f %f\"\n", high.x, high.y, high.z);
    out.Printf("\t\tvolume_r=\"%f\"\n", ScaledPosition(scene, node.volume_r));
}

void WriteNode(TextWriter& out, const ExportScene& scene, const NodeIndex& node_index, int32_t index,
               const ExportNode& node, const std::vector<Display>& displays, Diagnostics& diagnostics) {
    if (node.name.size() > 16) {
        diagnostics.WarnF("Warning: Length of name over 16 characters. node: %s", node.name.c_str());
    }
    NodeKind kind = node.kind;
    if (displays.empty() && kind == NodeKind::Mesh) {
        diagnostics.WarnF("Warning: Mesh has no polygon: %s", node.name.c_str());
        kind = NodeKind::Null;
    }
    out.Printf("\t<node index=\"%d\" name=\"%s\" kind=\"%s\"\n", index, node.name.c_str(), Word(kKinds, kind));
    out.Printf("\t\tparent=\"%d\"\n", node_index(node.parent));
    out.Printf("\t\tchild=\"%d\"\n", node_index(node.child));
    out.Printf("\t\tbrother_next=\"%d\"\n", node_index(node.brother_next));
    out.Printf("\t\tbrother_prev=\"%d\"\n", node_index(node.brother_prev));
    out.Printf("\t\tdraw_mtx=\"%s\"\n", "on");
    out.Printf("\t\tbillboard=\"%s\"\n", Word(kBillboards, node.billboard));
    WriteTransform(out, node);
    out.Printf("\t\tvisibility=\"%s\"\n", OnOff(node.visible));
    out.Printf("\t\tdisplay_size=\"%d\"\n", static_cast<int>(displays.size()));
    if (!displays.empty()) WriteGeometry(out, scene, node, displays);
    out.Printf("\t>\n");
    for (std::size_t d = 0; d < displays.size(); ++d) {
        const ExportPolygon& polygon = *displays[d].polygon;
        out.Printf("\t\t<display index=\"%d\" material=\"%d\" polygon=\"%d\" priority=\"%d\"/>\n", static_cast<int>(d),
                   MaterialIndex(scene, polygon.material), displays[d].index, polygon.priority);
    }
    out.Printf("\t</node>\n");
}

}  // namespace

void WriteNodeSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, Diagnostics& diagnostics,
                      Progress& progress) {
    const float step = progress.StepSize(static_cast<int>(scene.nodes.size()));
    const NodeIndex node_index(scene);
    const auto displays = DisplaysByOwner(scene, layout);
    const std::vector<Display> none;
    out.Printf("\n<node_array size=\"%d\">\n", static_cast<int>(scene.nodes.size()));
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        progress.Advance(step, kProgressText);
        const ExportNode& node = scene.nodes[i];
        const auto it = displays.find(node.id);
        WriteNode(out, scene, node_index, static_cast<int32_t>(i), node, it == displays.end() ? none : it->second,
                  diagnostics);
    }
    out.Printf("</node_array>\n");
    progress.FinishStep(kProgressText);
}

}  // namespace korvo
