#pragma once
// The position command of one vertex in the direct vertex style. The
// hardware keeps the previous position, so a vertex close to it or sharing
// a coordinate with it is sent in a shorter form.

#include <string>

#include "core/export_scene.h"

namespace korvo {

// The command without indentation, ending in a newline. A face's first
// corner may use the short fixed-point form; later corners may be sent
// relative to `last`.
std::string PositionCommand(const Vec3& position, const Vec3& last, bool first_corner);

}  // namespace korvo
