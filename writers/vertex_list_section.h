#pragma once

#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/text_writer.h"

namespace korvo {

// With vertex_style "index": the model-wide position and colour lists that
// the polygons' vertex commands index, and each polygon's offsets into
// them. With "direct" nothing is written.
void WriteVertexLists(TextWriter& out, ExportScene& scene, VertexStyle style, Progress& progress);

}  // namespace korvo
