#include "core/export_scene.h"

namespace korvo {

void ResetScene(ExportScene& scene) {
    scene = ExportScene{};
}

void TeardownScene(ExportScene& scene) {
    // Release the storage too, not only the elements: a scene object lives
    // as long as its exporter and should not hold on to a large model.
    std::vector<ExportPolygon>().swap(scene.polygons);
    std::vector<ExportMaterial>().swap(scene.materials);
    std::vector<ExportTexture>().swap(scene.textures);
    std::vector<ExportNode>().swap(scene.nodes);
    scene.lights.clear();
    scene.cameras.clear();
}

}  // namespace korvo
