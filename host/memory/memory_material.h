#pragma once
// A material of the memory scene. The scene owns every material; links to
// sub-materials, the delegate and texture maps are plain pointers.

#include <map>
#include <string>
#include <vector>

#include "host/host.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;
class MemoryTexmap;

class MemoryMaterial : public HostMaterial {
public:
    std::string name;
    // "korvo_standard", "korvo_morpher", "standard", "multi", or any other
    // class name (an unsupported class).
    std::string class_name = "standard";
    std::vector<MemoryMaterial*> sub_materials;
    MemoryTexmap* diffuse_map = nullptr;    // sub-texture map number 1
    std::vector<MemoryTexmap*> other_maps;  // after the diffuse map
    // Named properties of the platform's material plug-ins.
    std::map<std::string, double> properties;
    MemoryMaterial* delegate = nullptr;
    Track<HostColor> diffuse = Track<HostColor>::Constant(HostColor{0.588f, 0.588f, 0.588f});
    Track<HostColor> ambient = Track<HostColor>::Constant(HostColor{0.588f, 0.588f, 0.588f});
    Track<HostColor> specular = Track<HostColor>::Constant(HostColor{0.9f, 0.9f, 0.9f});
    bool self_illumination_color_on = false;
    Track<HostColor> self_illumination_color = Track<HostColor>::Constant(HostColor{});
    Track<float> opacity = Track<float>::Constant(1.0f);
    const MemoryScene* scene = nullptr;

    std::string Name() const override { return name; }
    ClassId GetClassId() const override;
    int SubMaterialCount() const override { return static_cast<int>(sub_materials.size()); }
    HostMaterial* SubMaterial(int i) const override;
    int TexmapCount() const override;
    HostTexmap* Texmap(int i) const override;
    HostTexmap* DiffuseMap() const override;
    std::optional<int> PropertyInt(const std::string& property) const override;
    std::optional<float> PropertyFloat(const std::string& property) const override;
    HostMaterial* Delegate() const override { return delegate; }
    HostColor Diffuse(TimeValue t) const override;
    HostColor Ambient(TimeValue t) const override;
    HostColor Specular(TimeValue t) const override;
    bool SelfIllumColorOn() const override { return self_illumination_color_on; }
    HostColor SelfIllumColor(TimeValue t) const override;
    float Opacity(TimeValue t) const override;
};

// The class ID of a material class name as MemoryMaterial uses them.
ClassId MaterialClassId(const std::string& class_name);

}  // namespace korvo
