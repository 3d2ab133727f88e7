#include <algorithm>
#include <array>
#include <cmath>

#include "host/gltf/gltf_build.h"

namespace korvo::gltf {

namespace {

// The named properties of the platform's standard material.
constexpr std::array<const char*, 28> kKorvoProperties = {
    "light_0",
    "light_1",
    "light_2",
    "light_3",
    "specularTblOn",
    "fogOn",
    "wireFrame",
    "displayFace",
    "polyMode",
    "polyID",
    "texGen",
    "texGenST",
    "comPress",
    "iflLoop",
    "depthTestDecal",
    "transUpdateDepth",
    "render1Pixel",
    "farClipping",
    "priorityRadio",
    "priorityValue",
    "tex_effect_mtx_0_0",
    "tex_effect_mtx_0_1",
    "tex_effect_mtx_1_0",
    "tex_effect_mtx_1_1",
    "tex_effect_mtx_2_0",
    "tex_effect_mtx_2_1",
    "tex_effect_mtx_3_0",
    "tex_effect_mtx_3_1",
};

bool IsKorvoProperty(const std::string& key) {
    return std::find(kKorvoProperties.begin(), kKorvoProperties.end(), key) != kKorvoProperties.end();
}

const tinygltf::Value* Member(const tinygltf::Value& object, const std::string& key) {
    return object.IsObject() && object.Has(key) ? &object.Get(key) : nullptr;
}

double NumberOf(const tinygltf::Value& value) {
    return value.IsBool() ? (value.Get<bool>() ? 1.0 : 0.0) : value.GetNumberAsDouble();
}

// "korvo_standard" when the extras carry a korvo property or say so,
// "korvo_morpher" when extras.korvo.type is "morpher", else "standard".
std::string MaterialClass(const GltfSource& source, const tinygltf::Value& extras, const std::string& where) {
    if (const tinygltf::Value* korvo = Member(extras, "korvo")) {
        const tinygltf::Value* type = Member(*korvo, "type");
        if (type) {
            const std::string name = type->IsString() ? type->Get<std::string>() : std::string();
            if (name == "morpher") return "korvo_morpher";
            if (name == "standard") return "korvo_standard";
            source.Fail(where + ".extras.korvo.type", "expected \"standard\" or \"morpher\"");
        }
    }
    if (extras.IsObject()) {
        for (const std::string& key : extras.Keys()) {
            if (IsKorvoProperty(key)) return "korvo_standard";
        }
    }
    return "standard";
}

void ReadProperties(const tinygltf::Value& extras, MemoryMaterial& material) {
    if (!extras.IsObject()) return;
    for (const std::string& key : extras.Keys()) {
        const tinygltf::Value& value = extras.Get(key);
        if (IsKorvoProperty(key) && (value.IsNumber() || value.IsBool())) material.properties[key] = NumberOf(value);
    }
}

HostColor ColorOf(const std::vector<double>& rgb) {
    if (rgb.size() < 3) return HostColor{};
    return {static_cast<float>(rgb[0]), static_cast<float>(rgb[1]), static_cast<float>(rgb[2])};
}

int FindMaterialByName(const GltfSource& source, const std::string& name, const std::string& where) {
    int found = -1;
    for (std::size_t i = 0; i < source.model.materials.size(); ++i) {
        if (source.model.materials[i].name != name) continue;
        if (found >= 0) source.Fail(where, "more than one material is named \"" + name + "\"");
        found = static_cast<int>(i);
    }
    if (found < 0) source.Fail(where, "no material is named \"" + name + "\"");
    return found;
}

void ReadMorpherMaterials(GltfBuild& build, const tinygltf::Value& extras, const std::string& where,
                          MemoryMaterial& morpher) {
    const std::string list_where = where + ".extras.korvo.materials";
    const tinygltf::Value* list = Member(*Member(extras, "korvo"), "materials");
    if (!list || !list->IsArray() || list->ArrayLen() == 0) {
        build.source.Fail(list_where, "a morpher needs a list of its materials (names or indices, the base last)");
    }
    for (std::size_t i = 0; i < list->ArrayLen(); ++i) {
        const tinygltf::Value& entry = list->Get(static_cast<int>(i));
        const std::string entry_where = list_where + "[" + std::to_string(i) + "]";
        int index = -1;
        if (entry.IsString()) {
            index = FindMaterialByName(build.source, entry.Get<std::string>(), entry_where);
        } else if (entry.IsNumber()) {
            index = IntegerOf(entry);
            CheckIndex(build.source, entry_where, index, build.source.model.materials.size(), "material");
        } else {
            build.source.Fail(entry_where, "expected a material name or index");
        }
        morpher.sub_materials.push_back(MaterialFor(build, index, entry_where));
    }
}

// KHR_texture_transform in the host's conventions. glTF maps a coordinate
// g (origin top left) to offset + R(-rotation) (scale g), R(a) turning
// counter-clockwise by a; the host's coordinate m = (u, 1 - v) (origin
// bottom left) is then mapped to m' = offset' + R(rotation) (scale m) with
// offset' = (offset.u + scale.v sin(rotation), 1 - offset.v - scale.v cos(rotation)).
void ReadTextureTransform(const tinygltf::Value& transform, MemoryTexmap& map) {
    auto pair = [&](const char* key, double x, double y) {
        const tinygltf::Value* value = Member(transform, key);
        if (value && value->IsArray() && value->ArrayLen() == 2) {
            x = value->Get(0).GetNumberAsDouble();
            y = value->Get(1).GetNumberAsDouble();
        }
        return std::array<double, 2>{x, y};
    };
    const auto offset = pair("offset", 0.0, 0.0);
    const auto scale = pair("scale", 1.0, 1.0);
    const tinygltf::Value* rotation_value = Member(transform, "rotation");
    const double rotation = rotation_value && rotation_value->IsNumber() ? rotation_value->GetNumberAsDouble() : 0.0;
    map.u_tiling = Track<float>::Constant(static_cast<float>(scale[0]));
    map.v_tiling = Track<float>::Constant(static_cast<float>(scale[1]));
    map.w_angle = Track<float>::Constant(static_cast<float>(rotation));
    map.u_offset = Track<float>::Constant(static_cast<float>(offset[0] + scale[1] * std::sin(rotation)));
    map.v_offset = Track<float>::Constant(static_cast<float>(1.0 - offset[1] - scale[1] * std::cos(rotation)));
}

int TilingFlags(int wrap_s, int wrap_t) {
    int flags = 0;
    if (wrap_s == TINYGLTF_TEXTURE_WRAP_REPEAT) flags |= UvGenerator::kURepeat;
    if (wrap_s == TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT) flags |= UvGenerator::kUMirror;
    if (wrap_t == TINYGLTF_TEXTURE_WRAP_REPEAT) flags |= UvGenerator::kVRepeat;
    if (wrap_t == TINYGLTF_TEXTURE_WRAP_MIRRORED_REPEAT) flags |= UvGenerator::kVMirror;
    return flags;
}

MemoryTexmap* BaseColorMap(GltfBuild& build, const tinygltf::TextureInfo& info, const std::string& where) {
    const GltfSource& source = build.source;
    CheckIndex(source, where + ".index", info.index, source.model.textures.size(), "texture");
    const tinygltf::Texture& texture = source.model.textures[info.index];
    const std::string texture_where = "textures[" + std::to_string(info.index) + "]";
    if (texture.source < 0) {
        source.Warn(texture_where, "the texture has no image it can use; the material has no texture");
        return nullptr;
    }
    CheckIndex(source, texture_where + ".source", texture.source, source.model.images.size(), "image");
    const tinygltf::Image& image = source.model.images[texture.source];
    std::string name = !texture.name.empty() ? texture.name : image.name;
    if (name.empty()) name = "texture_" + std::to_string(info.index);
    MemoryTexmap& map = build.scene.AddTexmap(name, "bitmap");
    map.file_name = ImageFile(build, texture.source, texture_where + ".source");
    map.tiling_flags = UvGenerator::kURepeat | UvGenerator::kVRepeat;
    if (texture.sampler >= 0) {
        CheckIndex(source, texture_where + ".sampler", texture.sampler, source.model.samplers.size(), "sampler");
        const tinygltf::Sampler& sampler = source.model.samplers[texture.sampler];
        map.tiling_flags = TilingFlags(sampler.wrapS, sampler.wrapT);
    }
    int coordinates = info.texCoord;
    const auto transform = info.extensions.find("KHR_texture_transform");
    if (transform != info.extensions.end() && transform->second.IsObject()) {
        ReadTextureTransform(transform->second, map);
        if (const tinygltf::Value* set = Member(transform->second, "texCoord"); set && set->IsNumber()) {
            coordinates = IntegerOf(*set);
        }
    }
    if (coordinates != 0) {
        source.Warn(where, "the texture uses TEXCOORD_" + std::to_string(coordinates) + "; TEXCOORD_0 is exported");
    }
    return &map;
}

void ReadColors(const tinygltf::Material& gltf, MemoryMaterial& material) {
    const auto& factor = gltf.pbrMetallicRoughness.baseColorFactor;
    const HostColor base = ColorOf(factor);
    material.diffuse = Track<HostColor>::Constant(base);
    material.ambient = Track<HostColor>::Constant(base);
    if (factor.size() == 4) material.opacity = Track<float>::Constant(static_cast<float>(factor[3]));
    const HostColor emissive = ColorOf(gltf.emissiveFactor);
    if (emissive.r > 0.0f || emissive.g > 0.0f || emissive.b > 0.0f) {
        material.self_illumination_color_on = true;
        material.self_illumination_color = Track<HostColor>::Constant(emissive);
    }
}

}  // namespace

MemoryMaterial* MaterialFor(GltfBuild& build, int index, const std::string& where) {
    if (index < 0) {
        if (!build.default_material) {
            // glTF's default material: plain white.
            MemoryMaterial& made = build.scene.AddMaterial("default", "standard");
            made.diffuse = made.ambient = Track<HostColor>::Constant(HostColor{1.0f, 1.0f, 1.0f});
            build.default_material = &made;
        }
        return build.default_material;
    }
    const GltfSource& source = build.source;
    build.materials.resize(source.model.materials.size(), nullptr);
    build.materials_in_progress.resize(source.model.materials.size(), false);
    if (build.materials[index]) return build.materials[index];
    const std::string material_where = "materials[" + std::to_string(index) + "]";
    if (build.materials_in_progress[index]) source.Fail(where, "the morpher materials refer to themselves");
    build.materials_in_progress[index] = true;

    const tinygltf::Material& gltf = source.model.materials[index];
    const std::string name = gltf.name.empty() ? "material_" + std::to_string(index) : gltf.name;
    const std::string class_name = MaterialClass(source, gltf.extras, material_where);
    std::vector<MemoryMaterial*> subs;
    MemoryMaterial& material = build.scene.AddMaterial(name, class_name);
    if (class_name != "standard") ReadProperties(gltf.extras, material);
    if (class_name == "korvo_morpher") ReadMorpherMaterials(build, gltf.extras, material_where, material);
    ReadColors(gltf, material);
    if (gltf.pbrMetallicRoughness.baseColorTexture.index >= 0) {
        material.diffuse_map = BaseColorMap(build, gltf.pbrMetallicRoughness.baseColorTexture,
                                            material_where + ".pbrMetallicRoughness.baseColorTexture");
    }
    build.materials[index] = &material;
    build.materials_in_progress[index] = false;
    return &material;
}

MemoryMaterial* MeshMaterial(GltfBuild& build, int mesh, const std::vector<int>& materials) {
    const bool any = std::any_of(materials.begin(), materials.end(), [](int m) { return m >= 0; });
    const std::string where = "meshes[" + std::to_string(mesh) + "]";
    if (!any) return nullptr;
    if (materials.size() == 1) return MaterialFor(build, materials[0], where);
    const auto cached = build.multi_materials.find(mesh);
    if (cached != build.multi_materials.end()) return cached->second;
    const std::string& mesh_name = build.source.model.meshes[mesh].name;
    MemoryMaterial& multi =
        build.scene.AddMaterial(mesh_name.empty() ? "mesh_" + std::to_string(mesh) : mesh_name, "multi");
    for (int material : materials) multi.sub_materials.push_back(MaterialFor(build, material, where));
    build.multi_materials[mesh] = &multi;
    return &multi;
}

}  // namespace korvo::gltf
