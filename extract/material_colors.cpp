#include "extract/material_colors.h"

#include <cmath>

#include "extract/material_kinds.h"

namespace korvo {

namespace {

// The integer part of the scaled value, kept within a byte.
uint8_t ClampedByte(double scaled) {
    const double whole = std::trunc(scaled);
    if (!(whole > 0.0)) return 0;
    return whole >= 255.0 ? 255 : static_cast<uint8_t>(whole);
}

Rgb8 ColorBytes(const HostColor& c) {
    return {ColorComponentByte(c.r), ColorComponentByte(c.g), ColorComponentByte(c.b)};
}

}  // namespace

const HostMaterial& SampledMaterial(const HostMaterial& material) {
    const HostMaterial* sampled = &material;
    if (const int count = material.SubMaterialCount(); count > 0 && material.SubMaterial(count - 1)) {
        sampled = material.SubMaterial(count - 1);
    }
    if (IsKorvoStandard(*sampled) && sampled->Delegate()) sampled = sampled->Delegate();
    return *sampled;
}

uint8_t ColorComponentByte(float c) { return ClampedByte(static_cast<double>(c) * 255.0 + 0.5); }

uint8_t OpacityByte(float opacity) { return ClampedByte(static_cast<double>(opacity) * 255.0); }

void SampleMaterialColors(const HostMaterial& material, int start_frame, int frame_count, int ticks_per_frame,
                          ExportMaterial& record) {
    const HostMaterial& sampled = SampledMaterial(material);
    const std::size_t frames = frame_count > 0 ? static_cast<std::size_t>(frame_count) : 0;
    record.diffuse.resize(frames);
    record.ambient.resize(frames);
    record.specular.resize(frames);
    record.emission.resize(frames);
    record.alpha.resize(frames);
    const bool self_illuminated = sampled.SelfIllumColorOn();
    for (std::size_t i = 0; i < frames; ++i) {
        const TimeValue t = (start_frame + static_cast<int>(i)) * ticks_per_frame;
        record.diffuse[i] = ColorBytes(sampled.Diffuse(t));
        record.ambient[i] = ColorBytes(sampled.Ambient(t));
        record.specular[i] = ColorBytes(sampled.Specular(t));
        record.emission[i] = self_illuminated ? ColorBytes(sampled.SelfIllumColor(t)) : Rgb8{};
        record.alpha[i] = OpacityByte(sampled.Opacity(t));
    }
}

}  // namespace korvo
