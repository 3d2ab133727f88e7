#include "host/memory/memory_material.h"

#include <cmath>
#include <limits>

#include "host/memory/memory_scene.h"
#include "host/memory/memory_texmap.h"
#include "host/memory/named_class_id.h"

namespace korvo {

ClassId MaterialClassId(const std::string& class_name) {
    if (class_name == "korvo_standard") return class_ids::kKorvoStandard;
    if (class_name == "korvo_morpher") return class_ids::kKorvoMorpher;
    if (class_name == "standard") return class_ids::kStandardMaterial;
    if (class_name == "multi") return class_ids::kMultiSubMaterial;
    return NamedClassId(class_name);
}

ClassId MemoryMaterial::GetClassId() const { return MaterialClassId(class_name); }

HostMaterial* MemoryMaterial::SubMaterial(int i) const {
    return i >= 0 && i < SubMaterialCount() ? sub_materials[i] : nullptr;
}

int MemoryMaterial::TexmapCount() const { return (diffuse_map ? 1 : 0) + static_cast<int>(other_maps.size()); }

HostTexmap* MemoryMaterial::Texmap(int i) const {
    if (diffuse_map) {
        if (i == 0) return diffuse_map;
        --i;
    }
    return i >= 0 && i < static_cast<int>(other_maps.size()) ? other_maps[i] : nullptr;
}

HostTexmap* MemoryMaterial::DiffuseMap() const { return diffuse_map; }

std::optional<int> MemoryMaterial::PropertyInt(const std::string& property) const {
    const auto found = properties.find(property);
    if (found == properties.end()) return std::nullopt;
    const double value = std::trunc(found->second);
    if (!(value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max())) {
        return value > 0 ? std::numeric_limits<int>::max() : std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

std::optional<float> MemoryMaterial::PropertyFloat(const std::string& property) const {
    const auto found = properties.find(property);
    if (found == properties.end()) return std::nullopt;
    return static_cast<float>(found->second);
}

HostColor MemoryMaterial::Diffuse(TimeValue t) const { return diffuse.At(SceneFrame(scene, t)); }
HostColor MemoryMaterial::Ambient(TimeValue t) const { return ambient.At(SceneFrame(scene, t)); }
HostColor MemoryMaterial::Specular(TimeValue t) const { return specular.At(SceneFrame(scene, t)); }
HostColor MemoryMaterial::SelfIllumColor(TimeValue t) const { return self_illumination_color.At(SceneFrame(scene, t)); }
float MemoryMaterial::Opacity(TimeValue t) const { return opacity.At(SceneFrame(scene, t)); }

}  // namespace korvo
