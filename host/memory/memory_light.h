#pragma once
// A light of the memory scene.

#include <optional>

#include "host/host.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;

// The scene wrapper's light types.
enum LightType : int {
    kOmniLight = 0,
    kTargetSpotLight = 1,
    kDirectionalLight = HostLight::kDirectional,
    kFreeSpotLight = 3,
    kTargetDirectionalLight = 4,
};

class MemoryLight : public HostLight {
public:
    int type = kOmniLight;
    bool on = true;
    // Empty: the light has no colour property.
    std::optional<Track<HostColor>> color;
    const MemoryScene* scene = nullptr;

    int Type() const override { return type; }
    bool On() const override { return on; }
    std::optional<HostColor> Color(TimeValue t) const override;
};

}  // namespace korvo
