#include "extract/local_transform.h"

#include "core/quantize.h"

namespace korvo {

namespace {

// The single-precision pi the angles have always been converted with.
constexpr double kPi = 3.1415927410125732;

std::array<double, 3> Doubles(Point3 p) { return {p.x, p.y, p.z}; }

Matrix3 EulerMatrix(Point3 radians) {
    return RotateXMatrix(radians.x) * RotateYMatrix(radians.y) * RotateZMatrix(radians.z);
}

float ToRadians(float degrees) { return static_cast<float>(degrees * kPi / 180.0); }

}  // namespace

LocalTransformParts DecomposeLocalTransform(const Matrix3& local) {
    AffineParts parts = decomp_affine(local);
    if (parts.f < 0.0f) {
        // The decomposition folds the mirror into all three scale factors;
        // rebuilding with an X mirror in front and decomposing again leaves
        // it on X alone.
        const Matrix3 rebuilt = ScaleMatrix(Point3{-1.0f, 1.0f, 1.0f}) * ScaleMatrix(parts.k) *
                                EulerMatrix(QuatToEuler(parts.q)) * TransMatrix(parts.t);
        parts = decomp_affine(rebuilt);
        parts.k.x = -parts.k.x;
    }
    const Point3 euler = QuatToEuler(parts.q);
    LocalTransformParts result;
    result.scale = Doubles(parts.k);
    for (int i = 0; i < 3; ++i) result.rotate[i] = static_cast<double>(euler[i]) * 180.0 / kPi;
    result.translate = Doubles(parts.t);
    return result;
}

Matrix3 ComposeLocalTransform(Vec3 scale, Vec3 rotate_degrees, Vec3 translate) {
    const Point3 radians{ToRadians(rotate_degrees.x), ToRadians(rotate_degrees.y), ToRadians(rotate_degrees.z)};
    return ScaleMatrix(Point3{scale.x, scale.y, scale.z}) * EulerMatrix(radians) *
           TransMatrix(Point3{translate.x, translate.y, translate.z});
}

Vec3 StoredVector(const std::array<double, 3>& value, bool quantise) {
    if (quantise) return {Quantize4096(value[0]), Quantize4096(value[1]), Quantize4096(value[2])};
    return {static_cast<float>(value[0]), static_cast<float>(value[1]), static_cast<float>(value[2])};
}

}  // namespace korvo
