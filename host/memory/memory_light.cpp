#include "host/memory/memory_light.h"

#include "host/memory/memory_scene.h"

namespace korvo {

std::optional<HostColor> MemoryLight::Color(TimeValue t) const {
    if (!color) return std::nullopt;
    return color->At(SceneFrame(scene, t));
}

}  // namespace korvo
