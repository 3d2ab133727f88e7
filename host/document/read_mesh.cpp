// Meshes: vertex lists and polygon faces with per-corner indices.

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

constexpr int kMaxMaterialId = 65535;

// One per-corner index list of a face and the mesh list it points into.
struct CornerList {
    const char* key;
    const char* singular;
    const char* plural;
    std::size_t mesh_size;
    bool mesh_has_list;
    std::vector<int>* indices;
};

void CheckIndices(const Value& list, const std::vector<int>& indices, const CornerList& target) {
    for (std::size_t i = 0; i < indices.size(); ++i) {
        if (indices[i] < 0 || static_cast<std::size_t>(indices[i]) >= target.mesh_size) {
            list.Element(i).Fail("index " + std::to_string(indices[i]) + " out of range (the mesh has " +
                                 CountText(target.mesh_size, target.singular, target.plural) + ")");
        }
    }
}

MemoryPolygon ReadFace(const Value& face, const MemoryMesh& mesh) {
    MemoryPolygon polygon;
    std::vector<CornerList> lists = {
        {"position", "vertex", "vertices", mesh.vertices.size(), true, &polygon.position},
        {"normal", "normal", "normals", mesh.normals.size(), !mesh.normals.empty(), &polygon.normal},
        {"color", "color vertex", "color vertices", mesh.color_vertices.size(), !mesh.color_vertices.empty(),
         &polygon.color},
        {"tex", "texture vertex", "texture vertices", mesh.tex_vertices.size(), !mesh.tex_vertices.empty(),
         &polygon.tex},
    };
    // A bare list of vertex indices, for meshes without other lists.
    if (face.json().is_array()) {
        ReadValue(face, polygon.position);
        if (polygon.position.size() < 3) {
            face.Fail("a face needs at least 3 corners, found " + std::to_string(polygon.position.size()));
        }
        CheckIndices(face, polygon.position, lists[0]);
        for (std::size_t i = 1; i < lists.size(); ++i) {
            if (lists[i].mesh_has_list) {
                face.Fail(std::string("missing \"") + lists[i].key + "\" indices (the mesh has " + lists[i].plural +
                          "); give the face as an object");
            }
        }
        return polygon;
    }
    ObjectReader reader(face);
    reader.Require("position", polygon.position);
    for (std::size_t i = 1; i < lists.size(); ++i) reader.Read(lists[i].key, *lists[i].indices);
    reader.Read("material_id", polygon.material_id, 0, kMaxMaterialId);
    reader.Finish();
    const std::size_t corners = polygon.position.size();
    if (corners < 3) face.Member("position").Fail("a face needs at least 3 corners, found " + std::to_string(corners));
    for (const CornerList& list : lists) {
        if (!face.json().contains(list.key)) {
            if (list.mesh_has_list) {
                face.Fail(std::string("missing \"") + list.key + "\" indices (the mesh has " + list.plural + ")");
            }
            continue;
        }
        const Value indices = face.Member(list.key);
        if (list.indices->size() != corners) {
            indices.Fail("has " + std::to_string(list.indices->size()) + " corners, \"position\" has " +
                         std::to_string(corners));
        }
        CheckIndices(indices, *list.indices, list);
    }
    return polygon;
}

void ReadTexVertices(const Value& value, std::vector<Point3>& out) {
    ForEachElement(value, [&out](const Value& element, std::size_t) {
        const std::vector<float> n = ReadFloats(element, 2, 3);
        out.push_back(Point3{n[0], n[1], n.size() > 2 ? n[2] : 0.0f});
    });
}

}  // namespace

std::unique_ptr<MemoryMesh> ReadMesh(const Value& value) {
    auto mesh = std::make_unique<MemoryMesh>();
    MemoryMesh& m = *mesh;
    ObjectReader reader(value);
    reader.Read("vertices", m.vertices);
    reader.Read("normals", m.normals);
    reader.Read("color_vertices", m.color_vertices);
    reader.ReadWith("tex_vertices", [&m](const Value& list) { ReadTexVertices(list, m.tex_vertices); });
    reader.Read("polygon_object", m.polygon_object);
    reader.ReadWith("faces", [&m](const Value& faces) {
        ForEachElement(faces, [&m](const Value& face, std::size_t) { m.polygons.push_back(ReadFace(face, m)); });
    });
    reader.Finish();
    return mesh;
}

}  // namespace korvo::document
