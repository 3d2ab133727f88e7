#pragma once
// How a polygon's faces are drawn: a list of primitives, each a list of
// separate triangles or quads, or a triangle or quad strip. A primitive
// names its faces by their index in the polygon's triangle list
// (triangles, triangle strips) or quad list (quads, quad strips); every
// face is in exactly one primitive. A strip names its faces in strip
// order: its first face's corners 0 and 1 start it and each face adds its
// corner 2 (a quad its corners 3 and 2), so a strip pass orients the faces
// before it lists them.

#include <cstdint>
#include <vector>

#include "core/export_scene.h"

namespace korvo {

enum class PrimitiveKind { Triangles, Quads, TriangleStrip, QuadStrip };

struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Triangles;
    std::vector<int32_t> faces;

    friend bool operator==(const Primitive&, const Primitive&) = default;
};

inline bool IsStrip(PrimitiveKind kind) {
    return kind == PrimitiveKind::TriangleStrip || kind == PrimitiveKind::QuadStrip;
}
inline bool DrawsQuads(PrimitiveKind kind) { return kind == PrimitiveKind::Quads || kind == PrimitiveKind::QuadStrip; }

// The vertices the hardware is sent for the primitive: 3 or 4 per face of
// a list, faces + 2 for a triangle strip, 2 x faces + 2 for a quad strip.
int32_t PrimitiveVertexCount(const Primitive& primitive);
int32_t PlanVertexCount(const std::vector<Primitive>& plan);

// The plan of a polygon without strips: its quads, then its triangles,
// every face on its own.
std::vector<Primitive> SeparateFacesPlan(const ExportPolygon& polygon);

}  // namespace korvo
