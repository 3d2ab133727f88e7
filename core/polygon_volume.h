#pragma once

#include "core/export_scene.h"

namespace korvo {

// Sets the polygon's bounding box over the positions its faces use, and
// its radius: half the box diagonal. A polygon without faces gets the
// empty box (+max, -max).
void UpdatePolygonVolume(ExportPolygon& polygon);

// Half the diagonal of a box: the radius of its bounding sphere.
float VolumeRadius(const Vec3& low, const Vec3& high);

}  // namespace korvo
