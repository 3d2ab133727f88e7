#pragma once
// glTF animation curves as host tracks: one key at every whole frame of the
// animation's range, in host axes. The exporter samples whole frames only,
// so these keys give it the glTF curves exactly.

#include "host/gltf/gltf_animation.h"
#include "host/memory/track.h"

namespace korvo::gltf {

Track<Point3> TranslationTrack(const Curve& curve, FrameSpan frames, double fps);
Track<Quat> RotationTrack(const Curve& curve, FrameSpan frames, double fps);
Track<Point3> ScaleTrack(const Curve& curve, FrameSpan frames, double fps);
// Morph target weight `target` as the host's channel percent (weight x 100).
Track<float> WeightTrack(const Curve& curve, int target, FrameSpan frames, double fps);

}  // namespace korvo::gltf
