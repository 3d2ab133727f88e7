#include "host/gltf/gltf_tracks.h"

#include "host/gltf/gltf_axes.h"

namespace korvo::gltf {

namespace {

template <typename T, typename Convert>
Track<T> Sampled(const Curve& curve, FrameSpan frames, double fps, Convert convert) {
    Track<T> track;
    for (int frame = frames.start; frame <= frames.end; ++frame) {
        const std::vector<double> value = EvaluateCurve(curve, frame / fps);
        track.keys.push_back(TrackKey<T>{static_cast<double>(frame), convert(value)});
    }
    return track;
}

}  // namespace

Track<Point3> TranslationTrack(const Curve& curve, FrameSpan frames, double fps) {
    return Sampled<Point3>(curve, frames, fps,
                           [](const std::vector<double>& v) { return HostPoint(v[0], v[1], v[2]); });
}

Track<Quat> RotationTrack(const Curve& curve, FrameSpan frames, double fps) {
    return Sampled<Quat>(curve, frames, fps,
                         [](const std::vector<double>& v) { return HostRotation(v[0], v[1], v[2], v[3]); });
}

Track<Point3> ScaleTrack(const Curve& curve, FrameSpan frames, double fps) {
    return Sampled<Point3>(curve, frames, fps,
                           [](const std::vector<double>& v) { return HostScale(v[0], v[1], v[2]); });
}

Track<float> WeightTrack(const Curve& curve, int target, FrameSpan frames, double fps) {
    return Sampled<float>(curve, frames, fps, [target](const std::vector<double>& v) {
        return static_cast<float>(v[static_cast<std::size_t>(target)] * 100.0);
    });
}

}  // namespace korvo::gltf
