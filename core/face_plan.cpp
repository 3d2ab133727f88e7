#include "core/face_plan.h"

#include <numeric>

namespace korvo {

namespace {

Primitive AllFaces(PrimitiveKind kind, std::size_t count) {
    Primitive primitive{kind, std::vector<int32_t>(count)};
    std::iota(primitive.faces.begin(), primitive.faces.end(), 0);
    return primitive;
}

}  // namespace

int32_t PrimitiveVertexCount(const Primitive& primitive) {
    const auto faces = static_cast<int32_t>(primitive.faces.size());
    switch (primitive.kind) {
        case PrimitiveKind::Triangles: return 3 * faces;
        case PrimitiveKind::Quads: return 4 * faces;
        case PrimitiveKind::TriangleStrip: return faces + 2;
        case PrimitiveKind::QuadStrip: return 2 * faces + 2;
    }
    return 0;
}

int32_t PlanVertexCount(const std::vector<Primitive>& plan) {
    int32_t count = 0;
    for (const Primitive& primitive : plan) count += PrimitiveVertexCount(primitive);
    return count;
}

std::vector<Primitive> SeparateFacesPlan(const ExportPolygon& polygon) {
    std::vector<Primitive> plan;
    if (!polygon.quads.empty()) plan.push_back(AllFaces(PrimitiveKind::Quads, polygon.quads.size()));
    if (!polygon.triangles.empty()) plan.push_back(AllFaces(PrimitiveKind::Triangles, polygon.triangles.size()));
    return plan;
}

}  // namespace korvo
