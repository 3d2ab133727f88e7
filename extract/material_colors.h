#pragma once
// A material's colours and opacity, sampled at every frame of the export.

#include "core/export_scene.h"
#include "host/host.h"

namespace korvo {

// The material whose colours stand for this one: the last sub-material
// when it has any (a KORVO Morpher's base material), and for KORVO
// Standard the standard material behind the scripted plug-in.
const HostMaterial& SampledMaterial(const HostMaterial& material);

// A colour component 0..1 as a byte, rounded: 0.999 gives 255.
uint8_t ColorComponentByte(float c);
// Opacity 0..1 as a byte, truncated: 0.999 gives 254.
uint8_t OpacityByte(float opacity);

// Fills diffuse, ambient, specular, emission and alpha for frames
// start_frame .. start_frame + frame_count - 1.
void SampleMaterialColors(const HostMaterial& material, int start_frame, int frame_count, int ticks_per_frame,
                          ExportMaterial& record);

}  // namespace korvo
