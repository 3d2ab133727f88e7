#include "writers/primitive_writer.h"

#include "writers/face_links.h"

namespace korvo {

namespace {

void WritePrimitiveHead(TextWriter& out, int32_t index, const char* type, int32_t vertex_size) {
    out.Printf("\t\t\t\t<primitive index=\"%d\" type=\"%s\" vertex_size=\"%d\">\n", index, type, vertex_size);
}

template <std::size_t N>
void WriteCorner(VertexCommandWriter& vertices, const NCornerFace<N>& face, std::size_t corner) {
    vertices.WriteVertex(CornerOf(face, corner), corner == 0);
}

// The first face gives the strip's first vertices; each later face adds its
// new vertex at corner 2 (a quad its two new vertices at corners 3 and 2).
template <std::size_t N>
void WriteStrip(TextWriter& out, VertexCommandWriter& vertices, const std::vector<NCornerFace<N>>& faces,
                int32_t first, int32_t index) {
    constexpr bool quad = N == 4;
    const int32_t count = StripFaceCount(faces[static_cast<std::size_t>(first)]);
    WritePrimitiveHead(out, index, quad ? "quad_strip" : "triangle_strip", quad ? 2 * count + 2 : count + 2);
    int32_t written = 0;
    ForEachLinkedFace(faces, first, [&](int32_t f) {
        if (written++ >= count) return;
        const NCornerFace<N>& face = faces[static_cast<std::size_t>(f)];
        if (written == 1) {
            WriteCorner(vertices, face, 0);
            WriteCorner(vertices, face, 1);
        }
        if (quad) WriteCorner(vertices, face, 3);
        WriteCorner(vertices, face, 2);
    });
    out.Write("\t\t\t\t</primitive>\n");
}

template <std::size_t N>
void WriteList(TextWriter& out, VertexCommandWriter& vertices, const std::vector<NCornerFace<N>>& faces,
               int32_t first, int32_t index) {
    int32_t count = 0;
    ForEachLinkedFace(faces, first, [&](int32_t) { ++count; });
    WritePrimitiveHead(out, index, N == 4 ? "quads" : "triangles", static_cast<int32_t>(N) * count);
    ForEachLinkedFace(faces, first, [&](int32_t f) {
        for (std::size_t corner = 0; corner < N; ++corner) {
            WriteCorner(vertices, faces[static_cast<std::size_t>(f)], corner);
        }
    });
    out.Write("\t\t\t\t</primitive>\n");
}

template <std::size_t N>
void WriteFrom(TextWriter& out, VertexCommandWriter& vertices, const std::vector<NCornerFace<N>>& faces,
               int32_t first, int32_t index) {
    if (StartsStrip(faces[static_cast<std::size_t>(first)])) {
        WriteStrip(out, vertices, faces, first, index);
    } else {
        WriteList(out, vertices, faces, first, index);
    }
}

}  // namespace

void WritePrimitive(TextWriter& out, VertexCommandWriter& vertices, const ExportPolygon& polygon,
                    const GroupPrimitive& primitive, int32_t index) {
    if (primitive.quad) {
        WriteFrom(out, vertices, polygon.quads, primitive.first_face, index);
    } else {
        WriteFrom(out, vertices, polygon.triangles, primitive.first_face, index);
    }
}

}  // namespace korvo
