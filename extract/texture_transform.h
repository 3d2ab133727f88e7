#pragma once
// A material's texture coordinate transform and tiling, per frame.

#include "core/export_scene.h"
#include "host/host.h"

namespace korvo {

// Tiling of one axis from the generator's flags: "flip" when mirrored
// (mirror wins over repeat), "repeat" when repeated, else "clamp".
Tiling AxisTiling(int tiling_flags, int repeat_flag, int mirror_flag);

// Fills tex_tiling_s/t and the five per-frame transform samples from the
// map, for frames start_frame .. start_frame + frame_count - 1. A flipped
// axis is stored at twice its scale, its translation moved by a quarter of
// the mirrored period; values are multiples of 1/4096.
void SampleTextureTransform(const HostTexmap& map, int start_frame, int frame_count, int ticks_per_frame,
                            ExportMaterial& material);

}  // namespace korvo
