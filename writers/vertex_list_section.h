#pragma once

#include "core/export_options.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/text_writer.h"

namespace korvo {

// With vertex_style "index": the model-wide position and colour lists that
// the polygons' vertex commands index (at the offsets the model layout
// gives each polygon). With "direct" nothing is written.
void WriteVertexLists(TextWriter& out, const ExportScene& scene, VertexStyle style, Progress& progress);

}  // namespace korvo
