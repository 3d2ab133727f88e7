#pragma once
// The platform parameters of a material: read from the named properties of
// the KORVO material plug-ins, or the defaults for any other material.

#include "core/export_scene.h"
#include "host/host.h"

namespace korvo {

// A radio-button property is stored 1-based: 3 means the third choice, 2.
// 0 and below (and a missing property) give the first.
int32_t RadioValue(const HostMaterial& material, const char* property);

// Reads every parameter of a KORVO Standard or KORVO Morpher material.
void ReadKorvoParameters(const HostMaterial& material, ExportMaterial& record);

// Lit by light 0, every switch off, an identity effect matrix.
void SetDefaultParameters(ExportMaterial& record);

}  // namespace korvo
