#include "host/gltf/gltf_animation.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <tuple>

#include "host/gltf/gltf_accessor.h"

namespace korvo::gltf {

namespace {

// Keeps frame numbers times the host's ticks within 32 bits.
constexpr double kMaxFrame = 400000.0;

std::string AnimationName(const tinygltf::Animation& animation, int index) {
    return animation.name.empty() ? "animation_" + std::to_string(index) : animation.name;
}

Interpolation ReadInterpolation(const GltfSource& source, const std::string& where, const std::string& name) {
    if (name == "STEP") return Interpolation::kStep;
    if (name == "LINEAR" || name.empty()) return Interpolation::kLinear;
    if (name == "CUBICSPLINE") return Interpolation::kCubicSpline;
    source.Fail(where, "unknown interpolation \"" + name + "\"");
}

std::vector<double> ReadTimes(const GltfSource& source, int accessor, const std::string& where) {
    std::vector<double> times = ReadAccessor(source, accessor, where, {1}).values;
    for (std::size_t i = 0; i < times.size(); ++i) {
        if (!std::isfinite(times[i]) || (i > 0 && !(times[i] > times[i - 1]))) {
            source.Fail(where, "key times must increase (key " + std::to_string(i) + ")");
        }
    }
    return times;
}

Curve ReadCurve(const GltfSource& source, const tinygltf::AnimationSampler& sampler, const std::string& where,
                const std::string& path) {
    Curve curve;
    curve.interpolation = ReadInterpolation(source, where + ".interpolation", sampler.interpolation);
    curve.times = ReadTimes(source, sampler.input, where + ".input");
    if (curve.times.empty()) source.Fail(where + ".input", "the sampler has no keys");
    curve.rotation = path == "rotation";
    const AccessorValues output = ReadAccessor(source, sampler.output, where + ".output");
    const std::size_t per_key = curve.interpolation == Interpolation::kCubicSpline ? 3 : 1;
    const std::size_t numbers = output.values.size();
    const std::size_t keys = curve.times.size() * per_key;
    if (path == "weights") {
        if (output.components != 1 || numbers % keys != 0 || numbers == 0) {
            source.Fail(where + ".output", "holds " + std::to_string(numbers) + " weights for " +
                                               std::to_string(curve.times.size()) + " keys");
        }
        curve.width = static_cast<int>(numbers / keys);
    } else {
        curve.width = curve.rotation ? 4 : 3;
        if (output.components != curve.width || output.count() != keys) {
            source.Fail(where + ".output", "holds " + std::to_string(output.count()) + " values of " +
                                               std::to_string(output.components) + " components; " + path + " needs " +
                                               std::to_string(keys) + " of " + std::to_string(curve.width));
        }
    }
    curve.values = output.values;
    return curve;
}

// The earliest and latest key time of the animation's channels.
std::pair<double, double> TimeRange(const GltfSource& source, int index) {
    const tinygltf::Animation& animation = source.model.animations[index];
    double start = std::numeric_limits<double>::infinity(), end = -start;
    const std::string where = "animations[" + std::to_string(index) + "]";
    for (std::size_t c = 0; c < animation.channels.size(); ++c) {
        const std::string channel_where = where + ".channels[" + std::to_string(c) + "]";
        const int sampler = animation.channels[c].sampler;
        CheckIndex(source, channel_where + ".sampler", sampler, animation.samplers.size(), "sampler");
        const std::vector<double> times = ReadTimes(source, animation.samplers[sampler].input,
                                                    where + ".samplers[" + std::to_string(sampler) + "].input");
        if (times.empty()) continue;
        start = std::min(start, times.front());
        end = std::max(end, times.back());
    }
    if (start > end) return {0.0, 0.0};
    return {start, end};
}

}  // namespace

FrameSpan FramesCovering(double start, double end, double fps) {
    // A key stored as a float lands a hair off its frame; such a key still
    // counts as on it.
    constexpr double kTolerance = 1e-4;
    const double first = std::floor(start * fps + kTolerance);
    const double last = std::ceil(end * fps - kTolerance);
    FrameSpan range;
    range.start = static_cast<int>(std::clamp(first, -kMaxFrame, kMaxFrame));
    range.end = std::max(range.start, static_cast<int>(std::clamp(last, -kMaxFrame, kMaxFrame)));
    return range;
}

std::vector<GltfAnimationInfo> AnimationInfos(const GltfSource& source, double fps) {
    std::vector<GltfAnimationInfo> infos;
    for (std::size_t i = 0; i < source.model.animations.size(); ++i) {
        const int index = static_cast<int>(i);
        GltfAnimationInfo info;
        info.index = index;
        info.name = AnimationName(source.model.animations[i], index);
        std::tie(info.start_time, info.end_time) = TimeRange(source, index);
        const FrameSpan frames = FramesCovering(info.start_time, info.end_time, fps);
        info.start_frame = frames.start;
        info.end_frame = frames.end;
        infos.push_back(info);
    }
    return infos;
}

int ChooseAnimation(const GltfSource& source, const std::string& choice) {
    const auto& animations = source.model.animations;
    if (choice.empty()) return animations.empty() ? -1 : 0;
    std::string names;
    for (std::size_t i = 0; i < animations.size(); ++i) {
        const std::string name = AnimationName(animations[i], static_cast<int>(i));
        if (name == choice) return static_cast<int>(i);
        names += (names.empty() ? "" : ", ") + ("\"" + name + "\"");
    }
    if (!choice.empty() && choice.size() < 10 &&
        std::all_of(choice.begin(), choice.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        const std::size_t index = std::stoul(choice);
        if (index < animations.size()) return static_cast<int>(index);
    }
    source.Fail("", "no animation \"" + choice + "\"" +
                        (animations.empty() ? " (the file has no animations)" : " (the file has " + names + ")"));
}

AnimationCurves ReadAnimation(const GltfSource& source, int index, double fps) {
    AnimationCurves curves;
    const tinygltf::Animation& animation = source.model.animations[index];
    const std::string where = "animations[" + std::to_string(index) + "]";
    for (std::size_t c = 0; c < animation.channels.size(); ++c) {
        const tinygltf::AnimationChannel& channel = animation.channels[c];
        const std::string channel_where = where + ".channels[" + std::to_string(c) + "]";
        CheckIndex(source, channel_where + ".sampler", channel.sampler, animation.samplers.size(), "sampler");
        CheckIndex(source, channel_where + ".target.node", channel.target_node, source.model.nodes.size(), "node");
        const std::string sampler_where = where + ".samplers[" + std::to_string(channel.sampler) + "]";
        const std::string& path = channel.target_path;
        NodeCurves& node = curves.nodes[channel.target_node];
        std::optional<Curve>* slot = path == "translation" ? &node.translation
                                     : path == "rotation"  ? &node.rotation
                                     : path == "scale"     ? &node.scale
                                     : path == "weights"   ? &node.weights
                                                           : nullptr;
        if (!slot) {
            source.Warn(channel_where, "target path \"" + path + "\" is not read");
            continue;
        }
        *slot = ReadCurve(source, animation.samplers[channel.sampler], sampler_where, path);
    }
    const auto [start, end] = TimeRange(source, index);
    curves.frames = FramesCovering(start, end, fps);
    return curves;
}

}  // namespace korvo::gltf
