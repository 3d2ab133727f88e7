#include "host/memory/memory_camera.h"

#include "host/memory/memory_node.h"
#include "host/memory/memory_scene.h"

namespace korvo {

float MemoryCamera::FieldOfView(TimeValue t) const { return fov.At(SceneFrame(scene, t)); }
float MemoryCamera::NearClip(TimeValue t) const { return near_clip.At(SceneFrame(scene, t)); }
float MemoryCamera::FarClip(TimeValue t) const { return far_clip.At(SceneFrame(scene, t)); }
float MemoryCamera::OrthoWidth(TimeValue t) const { return ortho_width.At(SceneFrame(scene, t)); }
float MemoryCamera::OrthoHeight(TimeValue t) const { return ortho_height.At(SceneFrame(scene, t)); }
HostNode* MemoryCamera::Target() const { return target; }

}  // namespace korvo
