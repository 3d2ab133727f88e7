#pragma once

#include "core/export_scene.h"
#include "writers/text_writer.h"

namespace korvo {

// The model's bounding box in model space, from the positions before
// position scaling, with a pos_scale of its own. Nothing when every
// polygon is removed.
void WriteBoxTest(TextWriter& out, const ExportScene& scene);

}  // namespace korvo
