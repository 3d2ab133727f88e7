#pragma once
// Turning the records' ids and names into output indices.

#include <cstdint>
#include <string>

#include "core/export_scene.h"
#include "core/node_index.h"

namespace korvo {

// Position of the first material with this name; 0 when none matches.
int32_t MaterialIndex(const ExportScene& scene, const std::string& name);

// A position-like value in the model's scale: divided by 2^pos_scale, then
// rounded to 1/4096.
float ScaledPosition(const ExportScene& scene, float value);

}  // namespace korvo
