#pragma once
// Quads rebuilt from the triangle pairs the host split them into, so that a
// mesh modelled in quads is drawn with quads.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/export_scene.h"
#include "extract/mesh_piece.h"

namespace korvo {

using QuadCorners = std::array<Vec3, 4>;

// All three coordinates differ by less than 0.001.
bool CornersMatch(const Vec3& a, const Vec3& b);

// Each triangle corner compared with each quad corner: how many pairs match.
int CornerMatchCount(const std::vector<Vec3>& positions, const NTriFace& triangle, const QuadCorners& quad);

// The "as_is_checking" test: no two corners coincide and the quad is flat.
bool QuadPassesChecks(const QuadCorners& quad);

// Finds the triangles whose corners lie near a quad's corners without
// scanning every triangle: corners are hashed into cells larger than the
// match tolerance, so a matching corner is always in a neighbouring cell.
// The answer is the one the scan in list order gives.
class TriangleCornerGrid {
public:
    // Both lists must outlive the grid and keep their size.
    TriangleCornerGrid(const std::vector<Vec3>& positions, const std::vector<NTriFace>& triangles);

    // The first two triangles in list order that used does not mark, with
    // at least three corner matches; fewer when there are not two.
    std::vector<int> FirstMatchingPair(const QuadCorners& quad, const std::vector<char>& used) const;

private:
    struct Cell {
        int64_t x, y, z;
        friend bool operator==(const Cell&, const Cell&) = default;
    };
    struct CellHash {
        std::size_t operator()(const Cell& c) const;
    };
    static Cell CellOf(const Vec3& p);

    const std::vector<Vec3>& positions_;
    const std::vector<NTriFace>& triangles_;
    std::unordered_map<Cell, std::vector<int>, CellHash> cells_;
};

// The quad of two triangles that share exactly two positions: the first
// triangle's free corner, the shared corner after it in the first triangle's
// winding, the second triangle's free corner, the other shared corner.
std::optional<NQuadFace> JoinTriangles(const NTriFace& first, const NTriFace& second);

// Joins the triangle pairs that cover the candidate quads: marks the pairs
// first, then rebuilds the lists, the joined triangles leaving the
// triangle list.
void RebuildQuads(ExportPolygon& polygon, const std::vector<QuadCorners>& candidates, bool checking);

// The candidates are the piece's four-sided faces of the host's polygon
// object; faces of more sides stay triangles, with a warning.
void BuildQuads(Diagnostics& diagnostics, ExportPolygon& polygon, const HostMesh& mesh, const MeshPiece& piece,
                const std::string& node_name, bool checking);

}  // namespace korvo
