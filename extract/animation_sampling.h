#pragma once
// Per-frame samples of a node over the export range, and its static
// transform.

#include "extract/extraction.h"

namespace korvo {

// Fills the record's local scale, rotation and translation per frame, its
// visibility per frame with the visible flag, and its static transform.
// quantise_samples: the node has no exported ancestor, so its samples are
// final values and are rounded to 1/4096 here.
void SampleNode(Extraction& extraction, const HostNode& node, ExportNode& record, bool quantise_samples);

// While it lives, skin deformation that the export switched off is on
// again, so that transforms are read as animated. Only what the export
// switched off is touched.
class AnimatedScene {
public:
    explicit AnimatedScene(Extraction& extraction);
    ~AnimatedScene();
    AnimatedScene(const AnimatedScene&) = delete;
    AnimatedScene& operator=(const AnimatedScene&) = delete;

private:
    Extraction& extraction_;
    bool switched_;
};

// The world transform of the node's host parent, host Z-up; the identity
// for the scene root.
Matrix3 HostParentWorldTransform(const HostScene& scene, const HostNode& node, TimeValue t);

// Host time of sample i.
TimeValue SampleTime(const Extraction& extraction, int sample);

}  // namespace korvo
