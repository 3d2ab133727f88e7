#include "extract/quad_building.h"

#include <algorithm>
#include <cmath>

namespace korvo {

namespace {

constexpr float kCornerTolerance = 0.001f;
// A power of two well above the tolerance: corners that match lie in the
// same or a neighbouring cell, and the division is exact.
constexpr double kCellsPerUnit = 256.0;
constexpr double kCellLimit = 1e15;

int64_t CellCoordinate(float v) {
    double cell = std::floor(static_cast<double>(v) * kCellsPerUnit);
    // NaN fails both tests and lands at the lower limit; it matches nothing anyway.
    if (!(cell > -kCellLimit)) cell = -kCellLimit;
    if (cell > kCellLimit) cell = kCellLimit;
    return static_cast<int64_t>(cell);
}

template <class Face>
void CopyCorner(Face& to, int to_corner, const NTriFace& from, int from_corner) {
    to.position[to_corner] = from.position[from_corner];
    to.color[to_corner] = from.color[from_corner];
    to.tex[to_corner] = from.tex[from_corner];
    to.normal[to_corner] = from.normal[from_corner];
}

bool HasPosition(const NTriFace& triangle, uint16_t position) {
    return std::find(triangle.position.begin(), triangle.position.end(), position) != triangle.position.end();
}

}  // namespace

bool CornersMatch(const Vec3& a, const Vec3& b) {
    return std::fabs(a.x - b.x) < kCornerTolerance && std::fabs(a.y - b.y) < kCornerTolerance &&
           std::fabs(a.z - b.z) < kCornerTolerance;
}

int CornerMatchCount(const std::vector<Vec3>& positions, const NTriFace& triangle, const QuadCorners& quad) {
    int matches = 0;
    for (uint16_t index : triangle.position) {
        if (index >= positions.size()) continue;
        for (const Vec3& corner : quad) matches += CornersMatch(positions[index], corner) ? 1 : 0;
    }
    return matches;
}

bool QuadPassesChecks(const QuadCorners& quad) {
    for (std::size_t i = 0; i < quad.size(); ++i) {
        for (std::size_t j = i + 1; j < quad.size(); ++j) {
            if (CornersMatch(quad[i], quad[j])) return false;
        }
    }
    const Vec3 normal = Cross(quad[1] - quad[0], quad[2] - quad[1]);
    for (std::size_t i = 0; i < quad.size(); ++i) {
        for (std::size_t j = i + 1; j < quad.size(); ++j) {
            const float off_plane = Dot(normal, quad[j] - quad[i]);
            if (off_plane < -kCornerTolerance || off_plane > kCornerTolerance) return false;
        }
    }
    return true;
}

std::size_t TriangleCornerGrid::CellHash::operator()(const Cell& c) const {
    const uint64_t h = static_cast<uint64_t>(c.x) * 0x9E3779B97F4A7C15ull ^
                       static_cast<uint64_t>(c.y) * 0xC2B2AE3D27D4EB4Full ^
                       static_cast<uint64_t>(c.z) * 0x165667B19E3779F9ull;
    return static_cast<std::size_t>(h ^ (h >> 29));
}

TriangleCornerGrid::Cell TriangleCornerGrid::CellOf(const Vec3& p) {
    return {CellCoordinate(p.x), CellCoordinate(p.y), CellCoordinate(p.z)};
}

TriangleCornerGrid::TriangleCornerGrid(const std::vector<Vec3>& positions, const std::vector<NTriFace>& triangles)
    : positions_(positions), triangles_(triangles) {
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        for (uint16_t index : triangles[t].position) {
            if (index < positions.size()) cells_[CellOf(positions[index])].push_back(static_cast<int>(t));
        }
    }
}

std::vector<int> TriangleCornerGrid::FirstMatchingPair(const QuadCorners& quad, const std::vector<char>& used) const {
    // A triangle with three matches has a corner matching some quad corner,
    // so it is in a cell next to that quad corner's.
    std::vector<int> near;
    for (const Vec3& corner : quad) {
        const Cell centre = CellOf(corner);
        for (int64_t dx = -1; dx <= 1; ++dx) {
            for (int64_t dy = -1; dy <= 1; ++dy) {
                for (int64_t dz = -1; dz <= 1; ++dz) {
                    const auto found = cells_.find(Cell{centre.x + dx, centre.y + dy, centre.z + dz});
                    if (found != cells_.end()) near.insert(near.end(), found->second.begin(), found->second.end());
                }
            }
        }
    }
    std::sort(near.begin(), near.end());
    near.erase(std::unique(near.begin(), near.end()), near.end());

    std::vector<int> pair;
    for (int t : near) {
        const NTriFace& triangle = triangles_[static_cast<std::size_t>(t)];
        if (used[static_cast<std::size_t>(t)] || CornerMatchCount(positions_, triangle, quad) < 3) continue;
        pair.push_back(t);
        if (pair.size() == 2) break;
    }
    return pair;
}

std::optional<NQuadFace> JoinTriangles(const NTriFace& first, const NTriFace& second) {
    int shared = 0;
    int first_free = -1;
    for (int c = 0; c < 3; ++c) {
        if (HasPosition(second, first.position[c])) {
            ++shared;
        } else {
            first_free = c;
        }
    }
    if (shared != 2) return std::nullopt;
    int second_free = -1;
    for (int c = 0; c < 3; ++c) {
        if (!HasPosition(first, second.position[c])) second_free = c;
    }
    if (second_free < 0) return std::nullopt;

    NQuadFace quad;
    quad.face_vector = first.face_vector;
    CopyCorner(quad, 0, first, first_free);
    CopyCorner(quad, 1, first, (first_free + 1) % 3);
    CopyCorner(quad, 2, second, second_free);
    CopyCorner(quad, 3, first, (first_free + 2) % 3);
    return quad;
}

void RebuildQuads(ExportPolygon& polygon, const std::vector<QuadCorners>& candidates, bool checking) {
    const std::vector<NTriFace>& triangles = polygon.triangles;
    std::vector<char> used(triangles.size(), 0);
    std::vector<NQuadFace> quads;
    const TriangleCornerGrid grid(polygon.positions, triangles);
    for (const QuadCorners& candidate : candidates) {
        if (checking && !QuadPassesChecks(candidate)) continue;
        const std::vector<int> pair = grid.FirstMatchingPair(candidate, used);
        if (pair.size() != 2) continue;
        const auto first = static_cast<std::size_t>(pair[0]), second = static_cast<std::size_t>(pair[1]);
        const std::optional<NQuadFace> quad = JoinTriangles(triangles[first], triangles[second]);
        if (!quad) continue;
        used[first] = used[second] = 1;
        quads.push_back(*quad);
    }
    std::vector<NTriFace> kept;
    kept.reserve(triangles.size() - 2 * quads.size());
    for (std::size_t t = 0; t < triangles.size(); ++t) {
        if (!used[t]) kept.push_back(triangles[t]);
    }
    polygon.triangles = std::move(kept);
    polygon.quads.insert(polygon.quads.end(), quads.begin(), quads.end());
}

void BuildQuads(Diagnostics& diagnostics, ExportPolygon& polygon, const HostMesh& mesh, const MeshPiece& piece,
                const std::string& node_name, bool checking) {
    const std::vector<HostPolyFace>* faces = mesh.PolygonFaces();
    if (!faces) return;
    std::vector<QuadCorners> candidates;
    bool higher_order = false;
    for (const HostPolyFace& face : *faces) {
        if (!piece.Contains(face.material_id)) continue;
        if (face.vertices.size() > 4) higher_order = true;
        if (face.vertices.size() != 4) continue;
        // The polygon object shares the mesh's vertex list, so its corners
        // are the polygon's positions of the same vertices.
        QuadCorners corners;
        bool inside = true;
        for (std::size_t c = 0; c < 4; ++c) {
            const int vertex = face.vertices[c];
            inside = inside && vertex >= 0 && static_cast<std::size_t>(vertex) < polygon.positions.size();
            if (inside) corners[c] = polygon.positions[static_cast<std::size_t>(vertex)];
        }
        if (inside) candidates.push_back(corners);
    }
    if (higher_order) {
        diagnostics.Warn("Warning: Polygons of a higher order than quadrilateral were found on node \"" + node_name +
                         "\" and have been converted to triangles.");
    }
    RebuildQuads(polygon, candidates, checking);
}

}  // namespace korvo
