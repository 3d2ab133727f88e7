#include "writers/primitive_writer.h"

namespace korvo {

namespace {

const char* TypeName(PrimitiveKind kind) {
    switch (kind) {
        case PrimitiveKind::Triangles: return "triangles";
        case PrimitiveKind::Quads: return "quads";
        case PrimitiveKind::TriangleStrip: return "triangle_strip";
        case PrimitiveKind::QuadStrip: return "quad_strip";
    }
    return "triangles";
}

template <std::size_t N>
void WriteCorner(VertexCommandWriter& vertices, const NCornerFace<N>& face, std::size_t corner) {
    vertices.WriteVertex(CornerOf(face, corner), corner == 0);
}

// A list writes every corner of every face; a strip's first face gives its
// first two vertices, and each face adds its new vertex at corner 2 (a
// quad its two new vertices at corners 3 and 2).
template <std::size_t N>
void WriteFaces(VertexCommandWriter& vertices, const std::vector<NCornerFace<N>>& faces, const Primitive& primitive) {
    const bool strip = IsStrip(primitive.kind);
    for (std::size_t i = 0; i < primitive.faces.size(); ++i) {
        const NCornerFace<N>& face = faces[static_cast<std::size_t>(primitive.faces[i])];
        if (!strip) {
            for (std::size_t corner = 0; corner < N; ++corner) WriteCorner(vertices, face, corner);
            continue;
        }
        if (i == 0) {
            WriteCorner(vertices, face, 0);
            WriteCorner(vertices, face, 1);
        }
        if (N == 4) WriteCorner(vertices, face, 3);
        WriteCorner(vertices, face, 2);
    }
}

}  // namespace

void WritePrimitive(TextWriter& out, VertexCommandWriter& vertices, const ExportPolygon& polygon,
                    const Primitive& primitive, int32_t index) {
    out.Printf("\t\t\t\t<primitive index=\"%d\" type=\"%s\" vertex_size=\"%d\">\n", index,
               TypeName(primitive.kind), PrimitiveVertexCount(primitive));
    if (DrawsQuads(primitive.kind)) {
        WriteFaces(vertices, polygon.quads, primitive);
    } else {
        WriteFaces(vertices, polygon.triangles, primitive);
    }
    out.Write("\t\t\t\t</primitive>\n");
}

}  // namespace korvo
