#include "extract/texture_transform.h"

#include <numbers>

#include "core/quantize.h"

namespace korvo {

namespace {

void AdjustFlippedAxis(float& translate, float& scale) {
    if (scale != 0.0f) translate = static_cast<float>(translate - 0.25 / scale);
    scale = static_cast<float>(scale * 2.0);
}

}  // namespace

Tiling AxisTiling(int tiling_flags, int repeat_flag, int mirror_flag) {
    if (tiling_flags & mirror_flag) return Tiling::Flip;
    if (tiling_flags & repeat_flag) return Tiling::Repeat;
    return Tiling::Clamp;
}

void SampleTextureTransform(const HostTexmap& map, int start_frame, int frame_count, int ticks_per_frame,
                            ExportMaterial& material) {
    const int flags = map.Generator().tiling_flags;
    material.tex_tiling_s = AxisTiling(flags, UvGenerator::kURepeat, UvGenerator::kUMirror);
    material.tex_tiling_t = AxisTiling(flags, UvGenerator::kVRepeat, UvGenerator::kVMirror);
    const std::size_t frames = frame_count > 0 ? static_cast<std::size_t>(frame_count) : 0;
    for (auto* samples : {&material.tex_translate_s, &material.tex_translate_t, &material.tex_scale_s,
                          &material.tex_scale_t, &material.tex_rotate}) {
        samples->assign(frames, 0.0f);
    }
    for (std::size_t i = 0; i < frames; ++i) {
        const TimeValue t = (start_frame + static_cast<int>(i)) * ticks_per_frame;
        float translate_s = Quantize4096(map.UOffset(t));
        float translate_t = Quantize4096(map.VOffset(t));
        float scale_s = Quantize4096(map.UTiling(t));
        float scale_t = Quantize4096(map.VTiling(t));
        const float rotate = Quantize4096(-static_cast<double>(map.WAngle(t)) * 180.0 / std::numbers::pi);
        if (material.tex_tiling_s == Tiling::Flip) AdjustFlippedAxis(translate_s, scale_s);
        if (material.tex_tiling_t == Tiling::Flip) AdjustFlippedAxis(translate_t, scale_t);
        material.tex_translate_s[i] = Quantize4096(translate_s);
        material.tex_translate_t[i] = Quantize4096(translate_t);
        material.tex_scale_s[i] = Quantize4096(scale_s);
        material.tex_scale_t[i] = Quantize4096(scale_t);
        material.tex_rotate[i] = Quantize4096(rotate);
    }
}

}  // namespace korvo
