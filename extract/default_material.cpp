#include "extract/default_material.h"

namespace korvo {

ExportMaterial DefaultMaterial(int frame_count) {
    const std::size_t frames = frame_count > 0 ? static_cast<std::size_t>(frame_count) : 0;
    ExportMaterial material;
    material.name = kDefaultMaterialName;
    material.light0 = true;
    material.lights_enabled = true;
    material.diffuse.assign(frames, Rgb8{96, 96, 96});
    material.ambient.assign(frames, Rgb8{});
    material.specular.assign(frames, Rgb8{});
    material.emission.assign(frames, Rgb8{});
    material.alpha.assign(frames, 255);
    return material;
}

}  // namespace korvo
