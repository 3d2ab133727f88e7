#pragma once
// An animation sampler of a glTF file evaluated as the glTF format defines
// it: STEP holds a key's value, LINEAR interpolates (rotations by spherical
// interpolation along the shorter arc), CUBICSPLINE is the cubic Hermite
// spline whose tangents are scaled by the key interval. Before the first key
// and after the last the curve holds that key's value.

#include <vector>

namespace korvo::gltf {

enum class Interpolation { kStep, kLinear, kCubicSpline };

struct Curve {
    std::vector<double> times;   // seconds, increasing
    std::vector<double> values;  // width numbers a key; cubic: in-tangent, value, out-tangent
    int width = 1;
    Interpolation interpolation = Interpolation::kLinear;
    bool rotation = false;  // values are quaternions (x, y, z, w)
};

// The curve at time t, width numbers (a rotation normalised).
std::vector<double> EvaluateCurve(const Curve& curve, double t);

}  // namespace korvo::gltf
