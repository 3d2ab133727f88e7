#include "writers/model_lookups.h"

#include <cmath>

#include "core/quantize.h"

namespace korvo {

int32_t MaterialIndex(const ExportScene& scene, const std::string& name) {
    for (std::size_t i = 0; i < scene.materials.size(); ++i) {
        if (scene.materials[i].name == name) return static_cast<int32_t>(i);
    }
    return 0;
}

float ScaledPosition(const ExportScene& scene, float value) {
    return Quantize4096(static_cast<double>(value) * std::ldexp(1.0, -scene.pos_scale));
}

}  // namespace korvo
