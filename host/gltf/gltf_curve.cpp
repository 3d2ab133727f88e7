#include "host/gltf/gltf_curve.h"

#include <algorithm>
#include <cmath>

namespace korvo::gltf {

namespace {

std::vector<double> KeyValue(const Curve& curve, std::size_t key) {
    const std::size_t w = static_cast<std::size_t>(curve.width);
    const std::size_t start = curve.interpolation == Interpolation::kCubicSpline ? (3 * key + 1) * w : key * w;
    return {curve.values.begin() + start, curve.values.begin() + start + w};
}

void Normalize(std::vector<double>& q) {
    double length = 0.0;
    for (double c : q) length += c * c;
    length = std::sqrt(length);
    if (length > 0.0) {
        for (double& c : q) c /= length;
    }
}

std::vector<double> Slerp(std::vector<double> a, std::vector<double> b, double s) {
    double dot = 0.0;
    for (int i = 0; i < 4; ++i) dot += a[i] * b[i];
    if (dot < 0.0) {
        for (double& c : b) c = -c;
        dot = -dot;
    }
    double wa = 1.0 - s, wb = s;
    if (dot < 0.9999) {
        const double angle = std::acos(std::min(dot, 1.0));
        wa = std::sin((1.0 - s) * angle) / std::sin(angle);
        wb = std::sin(s * angle) / std::sin(angle);
    }
    std::vector<double> q(4);
    for (int i = 0; i < 4; ++i) q[i] = wa * a[i] + wb * b[i];
    Normalize(q);
    return q;
}

std::vector<double> Hermite(const Curve& curve, std::size_t k, double s, double interval) {
    const std::size_t w = static_cast<std::size_t>(curve.width);
    const double* v0 = &curve.values[(3 * k + 1) * w];
    const double* out0 = &curve.values[(3 * k + 2) * w];
    const double* in1 = &curve.values[(3 * (k + 1)) * w];
    const double* v1 = &curve.values[(3 * (k + 1) + 1) * w];
    const double s2 = s * s, s3 = s2 * s;
    const double h00 = 2 * s3 - 3 * s2 + 1, h10 = s3 - 2 * s2 + s, h01 = -2 * s3 + 3 * s2, h11 = s3 - s2;
    std::vector<double> p(w);
    for (std::size_t i = 0; i < w; ++i) {
        p[i] = h00 * v0[i] + h10 * interval * out0[i] + h01 * v1[i] + h11 * interval * in1[i];
    }
    return p;
}

}  // namespace

std::vector<double> EvaluateCurve(const Curve& curve, double t) {
    const std::size_t n = curve.times.size();
    std::vector<double> value;
    if (n == 0) return std::vector<double>(static_cast<std::size_t>(curve.width), 0.0);
    if (!(t > curve.times.front())) {
        value = KeyValue(curve, 0);
    } else if (t >= curve.times.back()) {
        value = KeyValue(curve, n - 1);
    } else {
        const std::size_t k = static_cast<std::size_t>(std::upper_bound(curve.times.begin(), curve.times.end(), t) -
                                                       curve.times.begin()) -
                              1;
        const double interval = curve.times[k + 1] - curve.times[k];
        const double s = (t - curve.times[k]) / interval;
        switch (curve.interpolation) {
            case Interpolation::kStep:
                value = KeyValue(curve, k);
                break;
            case Interpolation::kLinear:
                if (curve.rotation) return Slerp(KeyValue(curve, k), KeyValue(curve, k + 1), s);
                value = KeyValue(curve, k);
                {
                    const std::vector<double> next = KeyValue(curve, k + 1);
                    for (std::size_t i = 0; i < value.size(); ++i) value[i] += (next[i] - value[i]) * s;
                }
                break;
            case Interpolation::kCubicSpline:
                value = Hermite(curve, k, s, interval);
                break;
        }
    }
    if (curve.rotation) Normalize(value);
    return value;
}

}  // namespace korvo::gltf
