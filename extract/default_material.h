#pragma once

#include "core/export_scene.h"

namespace korvo {

inline constexpr const char* kDefaultMaterialName = "dummy_material";

// The material of meshes without a usable one: grey, lit by light 0, no
// texture, the same in every frame.
ExportMaterial DefaultMaterial(int frame_count);

}  // namespace korvo
