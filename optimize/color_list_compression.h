#pragma once

#include "core/export_scene.h"
#include "core/progress.h"

namespace korvo {

// Drops every vertex colour that repeats an earlier colour of the same
// polygon, keeping the first, and renumbers the face corners so that they
// keep their colours. Removed polygons are left alone.
void CompressColorLists(ExportScene& scene, Progress& progress);

// The same for one colour list and the corners of its faces.
void CompressColorList(ExportPolygon& polygon);

}  // namespace korvo
