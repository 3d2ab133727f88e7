#include "optimize/color_list_compression.h"

#include <unordered_map>

namespace korvo {

namespace {

uint32_t PackedColor(const VertexColor& c) { return (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b; }

template <class Face>
void Renumber(std::vector<Face>& faces, const std::vector<uint16_t>& new_index) {
    for (Face& face : faces) {
        for (uint16_t& corner : face.color) {
            // A corner pointing past the list has nothing to keep; it stays.
            if (corner < new_index.size()) corner = new_index[corner];
        }
    }
}

}  // namespace

void CompressColorList(ExportPolygon& polygon) {
    if (polygon.colors.empty()) return;
    std::unordered_map<uint32_t, uint16_t> first_index;
    std::vector<uint16_t> new_index(polygon.colors.size());
    std::vector<VertexColor> kept;
    for (std::size_t i = 0; i < polygon.colors.size(); ++i) {
        const auto [it, added] =
            first_index.try_emplace(PackedColor(polygon.colors[i]), static_cast<uint16_t>(kept.size()));
        if (added) kept.push_back(polygon.colors[i]);
        new_index[i] = it->second;
    }
    if (kept.size() == polygon.colors.size()) return;
    polygon.colors = std::move(kept);
    Renumber(polygon.triangles, new_index);
    Renumber(polygon.quads, new_index);
}

void CompressColorLists(ExportScene& scene, Progress& progress) {
    const float step = progress.StepSize(static_cast<int>(scene.polygons.size()));
    for (ExportPolygon& polygon : scene.polygons) {
        if (!polygon.removed) CompressColorList(polygon);
        progress.Advance(step, "IMD: Compressing Color Lists");
    }
    progress.FinishStep("IMD: Compressing Color Lists");
}

}  // namespace korvo
