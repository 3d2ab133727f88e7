#pragma once

#include "core/export_scene.h"

namespace korvo {

// Scales the scene by its magnify factor and brings every position into the range the hardware holds, setting pos_scale.
void MagnifyScene(ExportScene& scene);

}  // namespace korvo
