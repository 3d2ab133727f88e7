// Lights and cameras.

#include <array>
#include <utility>

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

constexpr std::array<std::pair<const char*, int>, 5> kLightTypes{{
    {"omni", kOmniLight},
    {"target_spot", kTargetSpotLight},
    {"directional", kDirectionalLight},
    {"spot", kFreeSpotLight},
    {"target_directional", kTargetDirectionalLight},
}};

int ReadLightType(const Value& value) {
    std::string name;
    ReadValue(value, name);
    std::string known;
    for (const auto& [each, type] : kLightTypes) {
        if (name == each) return type;
        known += (known.empty() ? "" : ", ") + std::string(each);
    }
    value.Fail("unknown light type \"" + name + "\"; expected one of " + known);
}

bool ReadOrthographic(const Value& value) {
    std::string name;
    ReadValue(value, name);
    if (name == "perspective") return false;
    if (name == "orthographic") return true;
    value.Fail("unknown projection \"" + name + "\"; expected perspective or orthographic");
}

}  // namespace

void ReadLight(const Value& value, MemoryLight& light) {
    ObjectReader reader(value);
    reader.ReadWith("type", [&light](const Value& type) { light.type = ReadLightType(type); });
    reader.Read("on", light.on);
    reader.ReadWith("color", [&light](const Value& color) {
        light.color.emplace();
        ReadValue(color, *light.color);
    });
    reader.Finish();
}

void ReadCamera(const Value& value, MemoryCamera& camera) {
    ObjectReader reader(value);
    Track<float> fov_degrees;
    reader.ReadWith("projection",
                    [&camera](const Value& projection) { camera.orthographic = ReadOrthographic(projection); });
    const bool has_fov = reader.Read("fov", fov_degrees);
    reader.Read("aspect", camera.aspect);
    reader.Read("near", camera.near_clip);
    reader.Read("far", camera.far_clip);
    reader.Read("ortho_width", camera.ortho_width);
    reader.Read("ortho_height", camera.ortho_height);
    reader.ReadWith("target", [&camera](const Value& target) {
        ReadNodeReference(target, [&camera](MemoryNode* node) { camera.target = node; });
    });
    reader.Finish();
    if (has_fov) camera.fov = DegreesToRadians(fov_degrees);
}

}  // namespace korvo::document
