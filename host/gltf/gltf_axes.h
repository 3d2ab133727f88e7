#pragma once
// glTF is Y-up and the host Z-up. The backend hands the host the glTF scene
// turned a quarter turn about X, so that the exporter's own turn from Z-up
// to Y-up gives back the glTF axes: a glTF point (x, y, z) is the host point
// (x, -z, y). Every local transform is turned the same way (conjugated), so
// hierarchy, animation and skinning keep their meaning.

#include <array>

#include "host/geom.h"

namespace korvo::gltf {

// A point or direction.
Point3 HostPoint(double x, double y, double z);
// Scale factors along the axes.
Point3 HostScale(double x, double y, double z);
// A rotation quaternion (x, y, z, w), normalised.
Quat HostRotation(double x, double y, double z, double w);
// A glTF matrix (16 numbers, column by column, column vectors) as the host's
// row-vector matrix, conjugated into the host's axes.
Matrix3 HostMatrix(const std::array<double, 16>& column_major);

// The quarter turn itself, glTF to host (RotateXMatrix of +90 degrees,
// exactly): a host light or camera looks down its -Z axis where glTF's look
// down their -Z, so this turn in front of a glTF node's transform makes a
// host object look the way the glTF one does.
Matrix3 QuarterTurnX();

}  // namespace korvo::gltf
