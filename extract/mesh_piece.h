#pragma once
// One material's share of a mesh node, read into one ExportPolygon.

#include "extract/extraction.h"

namespace korvo {

// Which faces of a mesh node a piece takes: those whose material ID picks
// the piece's sub-material slot.
struct MeshPiece {
    const HostMaterial* material = nullptr;  // nullptr: the node has no material
    int slot = 0;                            // sub-material slot of this piece
    int slot_count = 1;                      // 1 when the material has no sub-materials

    bool Contains(int material_id) const;
};

// A Multi/Sub-Object material, whose sub-materials the faces' material IDs
// pick. Other materials with sub-materials (a KORVO Morpher's are its morph
// targets) are one material for every face, as material extraction takes
// them.
bool SplitsBySubMaterial(const HostMaterial* material);
// How many pieces a node's material splits its mesh into.
int PieceCount(const HostMaterial* material);
MeshPiece PieceOf(const HostMaterial* node_material, int slot);

// From the host mesh's object space into the polygon's space: the node's
// own space (object offset applied) in the exported Y-up axes.
struct MeshTransforms {
    Matrix3 position;  // applied to object-space vertices already in Y-up axes
    Matrix3 normal;    // applied to object-space normals already in Y-up axes
};

MeshTransforms MakeMeshTransforms(const SceneWrapper& wrapper, const HostNode& node);

// A host (Z-up) object-space point in the exported Y-up axes, exactly.
Point3 ToYUpAxes(Point3 p);

// Fills a polygon from one piece: positions, colours, normals, texture
// coordinates, triangles (and quads where the triangulation keeps them)
// and the removed flag.
void ExtractMeshPiece(Extraction& extraction, const HostNode& node, const HostMesh& mesh, const MeshPiece& piece,
                      const MeshTransforms& transforms, ExportPolygon& polygon);

}  // namespace korvo
