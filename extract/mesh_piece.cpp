#include "extract/mesh_piece.h"

#include <algorithm>
#include <cmath>

#include "host/geom.h"
#include "extract/quad_building.h"

namespace korvo {

namespace {

Vec3 ToVec3(Point3 p) { return {p.x, p.y, p.z}; }

// The low byte of the component times 255, truncated toward zero.
uint8_t ColorByte(float component) {
    const double scaled = std::trunc(static_cast<double>(component) * 255.0);
    if (!(std::fabs(scaled) < 9.0e18)) return 0;
    return static_cast<uint8_t>(static_cast<int64_t>(scaled) & 0xFF);
}

// A corner without a colour (or texture) list points at entry 0.
uint16_t Index16(int index) { return index < 0 ? 0 : static_cast<uint16_t>(index); }

bool Degenerate(const HostFace& face, std::size_t vertex_count) {
    for (int p : face.position) {
        if (p < 0 || static_cast<std::size_t>(p) >= vertex_count) return true;
    }
    return face.position[0] == face.position[1] || face.position[1] == face.position[2] ||
           face.position[0] == face.position[2];
}

void ExtractTriangles(const HostMesh& mesh, const MeshPiece& piece, bool with_colors, ExportPolygon& polygon) {
    const std::vector<HostFace>& faces = mesh.Faces();
    polygon.triangles.reserve(static_cast<std::size_t>(
        std::count_if(faces.begin(), faces.end(), [&](const HostFace& f) { return piece.Contains(f.material_id); })));
    for (const HostFace& face : faces) {
        if (!piece.Contains(face.material_id) || Degenerate(face, polygon.positions.size())) continue;
        NTriFace triangle;
        for (int c = 0; c < 3; ++c) {
            triangle.position[c] = Index16(face.position[c]);
            triangle.color[c] = with_colors ? Index16(face.color[c]) : 0;
            triangle.tex[c] = Index16(face.tex[c]);
            triangle.normal[c] = Index16(face.normal[c]);
        }
        const std::vector<Vec3>& p = polygon.positions;
        triangle.face_vector = FaceNormal(p[triangle.position[0]], p[triangle.position[1]], p[triangle.position[2]]);
        polygon.triangles.push_back(triangle);
    }
}

}  // namespace

bool MeshPiece::Contains(int material_id) const {
    if (slot_count <= 1) return true;
    return ((material_id % slot_count) + slot_count) % slot_count == slot;
}

bool SplitsBySubMaterial(const HostMaterial* material) {
    return material && material->IsMulti() && material->SubMaterialCount() > 0;
}

int PieceCount(const HostMaterial* material) {
    return SplitsBySubMaterial(material) ? material->SubMaterialCount() : 1;
}

MeshPiece PieceOf(const HostMaterial* node_material, int slot) {
    if (!SplitsBySubMaterial(node_material)) return MeshPiece{node_material, 0, 1};
    return MeshPiece{node_material->SubMaterial(slot), slot, node_material->SubMaterialCount()};
}

Point3 ToYUpAxes(Point3 p) { return {p.x, p.z, -p.y}; }

// The host hands out mesh data in object space and the wrapper works in
// Y-up axes, which for object-space data is an exact swap of axes. Positions
// take the object offset, conjugated into Y-up axes (A x O x B). Normals are
// taken as the wrapper gives them, in world space (object offset and world
// transform at the static frame, by the inverse transpose), and brought
// back into the node's space by the normal transform Inverse(T3(Inverse(W))).
MeshTransforms MakeMeshTransforms(const SceneWrapper& wrapper, const HostNode& node) {
    const Matrix3 offset = ScaleMatrix(node.ObjectOffsetScale()) * QuatToMatrix(node.ObjectOffsetRotation()) *
                           TransMatrix(node.ObjectOffsetPosition());
    const Matrix3 offset_y_up = ZUpToYUp(offset);
    const Matrix3 world = wrapper.WorldTransform(&node, wrapper.StaticTime());
    const Matrix3 object_to_world_normal = Transpose3(Inverse(offset_y_up * world));
    const Matrix3 world_to_node_normal = Inverse(Transpose3(Inverse(world)));
    return {offset_y_up, object_to_world_normal * world_to_node_normal};
}

void ExtractMeshPiece(Extraction& extraction, const HostNode& node, const HostMesh& mesh, const MeshPiece& piece,
                      const MeshTransforms& transforms, ExportPolygon& polygon) {
    const bool has_faces = std::any_of(mesh.Faces().begin(), mesh.Faces().end(),
                                       [&](const HostFace& f) { return piece.Contains(f.material_id); });
    if (!has_faces || node.ObjectClassId() == class_ids::kBoneObject) polygon.removed = true;

    polygon.positions.reserve(mesh.Vertices().size());
    for (const Point3& v : mesh.Vertices()) polygon.positions.push_back(ToVec3(ToYUpAxes(v) * transforms.position));

    const bool with_colors = !mesh.ColorVertices().empty() && node.VertexColorDisplay();
    if (with_colors) {
        polygon.colors.reserve(mesh.ColorVertices().size());
        for (const Point3& c : mesh.ColorVertices()) polygon.colors.push_back({ColorByte(c.x), ColorByte(c.y), ColorByte(c.z)});
    }

    polygon.normals.reserve(mesh.Normals().size());
    for (const Point3& n : mesh.Normals()) {
        polygon.normals.push_back(ToVec3(Normalize(VectorTransform(transforms.normal, ToYUpAxes(n)))));
    }

    polygon.tex_coords.reserve(mesh.TexVertices().size());
    for (const Point3& t : mesh.TexVertices()) polygon.tex_coords.push_back({t.x, 1.0f - t.y});

    ExtractTriangles(mesh, piece, with_colors, polygon);

    const Triangulation triangulation = extraction.options.triangulation;
    if (triangulation == Triangulation::AsIs || triangulation == Triangulation::AsIsChecking) {
        BuildQuads(extraction.diagnostics, polygon, mesh, piece, node.Name(),
                   triangulation == Triangulation::AsIsChecking);
    }
}

}  // namespace korvo
