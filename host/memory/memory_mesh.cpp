#include "host/memory/memory_mesh.h"

#include <cstddef>

namespace korvo {

namespace {

int CornerIndex(const std::vector<int>& indices, std::size_t corner) {
    return corner < indices.size() ? indices[corner] : -1;
}

Point3 VertexAt(const std::vector<Point3>& vertices, int index) {
    return index >= 0 && static_cast<std::size_t>(index) < vertices.size() ? vertices[index] : Point3{};
}

// Newell's normal: for a triangle it is the cross product of two edges, for
// a larger polygon the plane that fits it best.
Point3 PolygonNormal(const std::vector<Point3>& vertices, const std::vector<int>& corners) {
    Point3 sum;
    for (std::size_t i = 0; i < corners.size(); ++i) {
        const Point3 a = VertexAt(vertices, corners[i]);
        const Point3 b = VertexAt(vertices, corners[(i + 1) % corners.size()]);
        sum.x += (a.y - b.y) * (a.z + b.z);
        sum.y += (a.z - b.z) * (a.x + b.x);
        sum.z += (a.x - b.x) * (a.y + b.y);
    }
    return Normalize(sum);
}

}  // namespace

void MemoryMesh::Build() {
    if (normals.empty()) {
        for (MemoryPolygon& polygon : polygons) {
            polygon.normal.assign(polygon.position.size(), static_cast<int>(normals.size()));
            normals.push_back(PolygonNormal(vertices, polygon.position));
        }
    }
    faces_.clear();
    poly_faces_.clear();
    for (const MemoryPolygon& polygon : polygons) {
        poly_faces_.push_back(HostPolyFace{polygon.position, polygon.material_id});
        for (std::size_t i = 1; i + 1 < polygon.position.size(); ++i) {
            HostFace face;
            const std::size_t corners[3] = {0, i, i + 1};
            for (int c = 0; c < 3; ++c) {
                face.position[c] = CornerIndex(polygon.position, corners[c]);
                face.normal[c] = CornerIndex(polygon.normal, corners[c]);
                face.color[c] = CornerIndex(polygon.color, corners[c]);
                face.tex[c] = CornerIndex(polygon.tex, corners[c]);
            }
            face.material_id = polygon.material_id;
            faces_.push_back(face);
        }
    }
}

}  // namespace korvo
