#pragma once

#include "core/export_scene.h"

namespace korvo {

class Progress;

// Multiplies every length of the scene (positions, translations and their
// samples, bounding volumes) by magnify.
void MagnifyScene(ExportScene& scene, float magnify, Progress& progress);

// Halves every position until it lies in the range the hardware holds,
// [-8, 8), keeping the magnified ones as unscaled_positions, quantises them
// and sets pos_scale to the number of halvings.
void ComputePositionScale(ExportScene& scene);

}  // namespace korvo
