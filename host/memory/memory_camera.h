#pragma once
// A camera of the memory scene.

#include "host/host.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;
class MemoryNode;

class MemoryCamera : public HostCamera {
public:
    bool orthographic = false;
    Track<float> fov = Track<float>::Constant(0.7853982f);  // radians
    float aspect = 4.0f / 3.0f;
    Track<float> near_clip = Track<float>::Constant(1.0f);
    Track<float> far_clip = Track<float>::Constant(1000.0f);
    Track<float> ortho_width = Track<float>::Constant(100.0f);
    Track<float> ortho_height = Track<float>::Constant(75.0f);
    MemoryNode* target = nullptr;
    const MemoryScene* scene = nullptr;

    bool Orthographic() const override { return orthographic; }
    float FieldOfView(TimeValue t) const override;
    float Aspect() const override { return aspect; }
    float NearClip(TimeValue t) const override;
    float FarClip(TimeValue t) const override;
    float OrthoWidth(TimeValue t) const override;
    float OrthoHeight(TimeValue t) const override;
    HostNode* Target() const override;
};

}  // namespace korvo
