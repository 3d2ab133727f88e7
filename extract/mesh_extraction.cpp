#include "extract/mesh_extraction.h"

#include <algorithm>
#include <unordered_set>

#include "core/format.h"
#include "extract/default_material.h"
#include "core/export_names.h"
#include "core/polygon_volume.h"
#include "extract/mesh_piece.h"
#include "extract/node_filter.h"
#include "extract/skin_extraction.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "Exporting Nodes";
// Face corners hold 16-bit indices.
constexpr std::size_t kMaxIndexedEntries = 65535;

// Refuses a mesh whose lists the faces' 16-bit corner indices cannot reach.
bool CheckIndexRange(Extraction& extraction, const HostNode& node, const HostMesh& mesh) {
    const bool colors = !mesh.ColorVertices().empty() && node.VertexColorDisplay();
    const struct {
        std::size_t count;
        const char* what;
    } lists[] = {
        {mesh.Vertices().size(), "vertices"},
        {mesh.Normals().size(), "normals"},
        {colors ? mesh.ColorVertices().size() : 0, "colour vertices"},
        {mesh.TexVertices().size(), "texture vertices"},
    };
    for (const auto& list : lists) {
        if (list.count <= kMaxIndexedEntries) continue;
        extraction.diagnostics.Error(
            Format("Mesh \"%s\" has %zu %s; a mesh can have at most %zu. Split it into smaller meshes.",
                   node.Name().c_str(), list.count, list.what, kMaxIndexedEntries),
            "Mesh Export Error");
        return false;
    }
    return true;
}

// A material that material extraction did not take (or none) is drawn with
// the default material.
void AssignMaterial(Extraction& extraction, const HostMaterial* material, ExportPolygon& polygon) {
    std::vector<ExportMaterial>& materials = extraction.scene.materials;
    const std::vector<const HostMaterial*>& sources = extraction.material_sources;
    const std::size_t known = std::min(materials.size(), sources.size());
    const auto source_index = [&](const HostMaterial* wanted) -> std::ptrdiff_t {
        const auto found = std::find(sources.begin(), sources.begin() + static_cast<std::ptrdiff_t>(known), wanted);
        return found == sources.begin() + static_cast<std::ptrdiff_t>(known) ? -1 : found - sources.begin();
    };
    const std::ptrdiff_t index = material ? source_index(material) : -1;
    if (index < 0) {
        polygon.material = kDefaultMaterialName;
        polygon.priority = 0;
        // The default material has no host source; it is record 0 until
        // the materials are sorted by name.
        const std::ptrdiff_t fallback = source_index(nullptr);
        const std::size_t used = fallback < 0 ? 0 : static_cast<std::size_t>(fallback);
        if (used < materials.size()) materials[used].orphan = false;
        return;
    }
    ExportMaterial& taken = materials[static_cast<std::size_t>(index)];
    polygon.material = taken.name;
    if (!polygon.removed) {
        polygon.priority = taken.priority;
        taken.orphan = false;
    }
}

HostMorpher* FindMorpher(const HostNode& node) {
    for (HostModifier* modifier : node.Modifiers()) {
        if (modifier->GetClassId() == class_ids::kMorpher && modifier->Morpher()) return modifier->Morpher();
    }
    return nullptr;
}

void SampleMorphTracks(const Extraction& extraction, const HostNode& node, const HostMaterial* material,
                       ExportPolygon& polygon) {
    if (!material || material->GetClassId() != class_ids::kKorvoMorpher) return;
    const HostMorpher* morpher = FindMorpher(node);
    if (!morpher) return;
    const FrameRange& frames = extraction.options.frames;
    const int ticks = extraction.wrapper.TicksPerFrame();
    for (int channel = 0; channel < kMorphChannelCount; ++channel) {
        std::vector<float>& track = polygon.morph_tracks[static_cast<std::size_t>(channel)];
        for (int frame = frames.start; frame <= frames.end; ++frame) {
            track.push_back(morpher->ChannelValue(channel, frame * ticks));
        }
    }
}

// Polygon names: the node's name, cleaned and made unique among the
// polygons before it.
struct PolygonNames {
    UniqueNames unique;
    std::unordered_set<std::string> given;

    std::string Add(const std::string& node_name) {
        std::string name = unique.Add(CleanExportName(node_name));
        given.insert(name);
        return name;
    }
};

// One polygon per piece of the node's mesh. False stops the export.
bool ExtractNodePolygons(Extraction& extraction, const HostNode& node, const HostMesh& mesh, PolygonNames& names) {
    ExportScene& scene = extraction.scene;
    const MeshTransforms transforms = MakeMeshTransforms(extraction.wrapper, node);
    const HostMaterial* node_material = node.Material();
    const int pieces = PieceCount(node_material);
    for (int slot = 0; slot < pieces; ++slot) {
        const MeshPiece piece = PieceOf(node_material, slot);
        if (piece.material == node_material && names.given.count(node.Name()) != 0) {
            extraction.diagnostics.Warn("Warning: Node name changed: " + node.Name());
        }
        ExportPolygon& polygon = scene.polygons.emplace_back();
        polygon.name = names.Add(node.Name());
        ExtractMeshPiece(extraction, node, mesh, piece, transforms, polygon);
        polygon.node = node.Id();
        polygon.source_node = node.Id();
        if (!ExtractSkin(extraction, node, polygon)) return false;
        UpdatePolygonVolume(polygon);
        AssignMaterial(extraction, piece.material, polygon);
        SampleMorphTracks(extraction, node, piece.material, polygon);
    }
    return true;
}

}  // namespace

bool BuildPolygons(Extraction& extraction) {
    ExportScene& scene = extraction.scene;
    const SceneWrapper& wrapper = extraction.wrapper;
    const std::vector<HostNode*> mesh_nodes = wrapper.NodesOfType(ObjectType::Mesh);

    std::size_t upper_bound = 0;
    for (const HostNode* node : mesh_nodes) {
        extraction.progress.Advance(extraction.node_progress_step, kProgressText);
        if (IsExportableMeshNode(wrapper, *node)) upper_bound += static_cast<std::size_t>(PieceCount(node->Material()));
    }
    scene.polygons.clear();
    scene.polygons.reserve(upper_bound);
    PolygonNames names;

    for (const HostNode* node : mesh_nodes) {
        extraction.progress.Advance(extraction.node_progress_step, kProgressText);
        if (!IsExportableMeshNode(wrapper, *node) || SubdivisionCheck(extraction, *node)) continue;
        const HostMesh* mesh = node->Mesh();
        if (!mesh) continue;
        if (!CheckIndexRange(extraction, *node, *mesh)) return false;
        if (!ExtractNodePolygons(extraction, *node, *mesh, names)) return false;
    }
    return true;
}

bool SubdivisionCheck(Extraction& extraction, const HostNode& node) {
    for (const HostModifier* modifier : node.Modifiers()) {
        const std::string name = modifier->Name();
        if (modifier->ClassName() == "HSDS" || name == "SmoothMod" || name == "Subdivide") {
            extraction.diagnostics.Error("Error: Can't export subdivision surface. " + node.Name(),
                                         "Subdivision Modifier Applied");
            return true;
        }
    }
    return false;
}

void NurbsWarnings(Extraction& extraction, const HostNode& node) {
    const ClassId object = node.ObjectClassId();
    Diagnostics& diagnostics = extraction.diagnostics;
    if (object == class_ids::kNurbsCurveA || object == class_ids::kNurbsCurveB) {
        diagnostics.Warn("Warning: Can't export NURBS curve.");
    } else if (object == class_ids::kNurbsSurface) {
        diagnostics.Warn("Warning: Can't export NURBS surface: " + node.Name());
    } else if (object == class_ids::kNurbsObject) {
        diagnostics.Warn(
            (node.NurbsHasCurve() ? "Warning: Can't export NURBS curve: " : "Warning: Can't export NURBS surface: ") +
            node.Name());
    }
}

}  // namespace korvo
