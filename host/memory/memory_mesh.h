#pragma once
// A mesh of the memory scene: polygons as given, triangulated as a fan for
// the host's triangle view.

#include <vector>

#include "host/host.h"

namespace korvo {

// One face as given: per-corner indices into the mesh's lists. A list the
// mesh does not have leaves its corner indices empty.
struct MemoryPolygon {
    std::vector<int> position;
    std::vector<int> normal;
    std::vector<int> color;
    std::vector<int> tex;
    int material_id = 0;
};

class MemoryMesh : public HostMesh {
public:
    std::vector<Point3> vertices;
    std::vector<Point3> normals;
    std::vector<Point3> color_vertices;
    std::vector<Point3> tex_vertices;
    std::vector<MemoryPolygon> polygons;
    // false: the object cannot be converted to the host's polygon object.
    bool polygon_object = true;

    // Derives the triangles and the polygon view from `polygons`. When the
    // mesh has no normals, one flat normal per polygon is made first, as the
    // host does for faces without smoothing.
    void Build();

    const std::vector<Point3>& Vertices() const override { return vertices; }
    const std::vector<Point3>& Normals() const override { return normals; }
    const std::vector<Point3>& ColorVertices() const override { return color_vertices; }
    const std::vector<Point3>& TexVertices() const override { return tex_vertices; }
    const std::vector<HostFace>& Faces() const override { return faces_; }
    const std::vector<HostPolyFace>* PolygonFaces() const override { return polygon_object ? &poly_faces_ : nullptr; }

private:
    std::vector<HostFace> faces_;
    std::vector<HostPolyFace> poly_faces_;
};

}  // namespace korvo
