#pragma once
// The animations of a glTF file: their channels as curves per node, their
// time ranges in whole frames, and which one a run reads.

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "host/gltf/gltf_curve.h"
#include "host/gltf/gltf_scene.h"
#include "host/gltf/gltf_source.h"

namespace korvo::gltf {

struct NodeCurves {
    std::optional<Curve> translation, rotation, scale, weights;
};

struct FrameSpan {
    int start = 0, end = 0;
};

struct AnimationCurves {
    std::map<int, NodeCurves> nodes;  // by glTF node index
    FrameSpan frames;
};

// The frames that cover start..end seconds at fps: frame f is at f / fps.
FrameSpan FramesCovering(double start, double end, double fps);

std::vector<GltfAnimationInfo> AnimationInfos(const GltfSource& source, double fps);

// The animation that choice names (see GltfOptions::animation); -1 when the
// file has none. An unknown name or index is an error.
int ChooseAnimation(const GltfSource& source, const std::string& choice);

// The channels of animation index, checked, with their frames at fps.
AnimationCurves ReadAnimation(const GltfSource& source, int index, double fps);

}  // namespace korvo::gltf
