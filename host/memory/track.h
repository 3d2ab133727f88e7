#pragma once
// An animated value as the scene document gives it: keys at frames, linear
// in between, held before the first key and after the last. A constant is a
// single key.

#include <algorithm>
#include <vector>

#include "host/geom.h"
#include "host/host.h"

namespace korvo {

float Interpolate(float a, float b, float s);
Point3 Interpolate(Point3 a, Point3 b, float s);
HostColor Interpolate(HostColor a, HostColor b, float s);
// Spherical, along the shorter arc.
Quat Interpolate(const Quat& a, const Quat& b, float s);

// Host time as a fractional frame.
inline double FrameAt(TimeValue t, int ticks_per_frame) {
    return static_cast<double>(t) / static_cast<double>(ticks_per_frame > 0 ? ticks_per_frame : 1);
}

template <typename T>
struct TrackKey {
    double frame = 0.0;
    T value{};
};

template <typename T>
struct Track {
    // Frames strictly increasing.
    std::vector<TrackKey<T>> keys;

    static Track Constant(T value) { return Track{{TrackKey<T>{0.0, value}}}; }

    // A track without keys gives the value type's default.
    T At(double frame) const {
        if (keys.empty()) return T{};
        if (!(frame > keys.front().frame)) return keys.front().value;
        if (frame >= keys.back().frame) return keys.back().value;
        auto next = std::upper_bound(keys.begin(), keys.end(), frame,
                                     [](double f, const TrackKey<T>& key) { return f < key.frame; });
        auto prev = next - 1;
        const double s = (frame - prev->frame) / (next->frame - prev->frame);
        return Interpolate(prev->value, next->value, static_cast<float>(s));
    }
};

}  // namespace korvo
