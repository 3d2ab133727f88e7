#include "writers/model_layout.h"

#include "writers/matrix_palette.h"
#include "writers/texture_layout.h"

namespace korvo {

namespace {

// Drawn polygons' positions and colours follow each other in the
// model-wide lists.
void LayOutVertexLists(const ExportScene& scene, ModelLayout& layout) {
    int32_t positions = 0, colors = 0;
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        const ExportPolygon& polygon = scene.polygons[p];
        if (polygon.removed) continue;
        layout.polygons[p].position_base = positions;
        layout.polygons[p].color_base = colors;
        positions += static_cast<int32_t>(polygon.positions.size());
        colors += static_cast<int32_t>(polygon.colors.size());
    }
}

}  // namespace

ModelLayout LayOutModel(const ExportScene& scene, Progress& progress) {
    ModelLayout layout;
    layout.polygons.resize(scene.polygons.size());
    // The palette depends on the skin weights alone; quads and strips
    // regroup faces but keep every corner on its position.
    LayOutMatrixPalette(scene, layout, progress);
    LayOutTextures(scene, progress, layout);
    LayOutVertexLists(scene, layout);
    // Joining triangles into quads under triangulation "generate_quads"
    // goes before this layout: not done yet, so the triangles stay as
    // extracted. Triangle and quad strips under use_primitive_strip "on"
    // go into the plans: not built yet, so every face is drawn on its own.
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        layout.polygons[p].plan = SeparateFacesPlan(scene.polygons[p]);
    }
    return layout;
}

}  // namespace korvo
