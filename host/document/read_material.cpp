// Materials and texture maps.

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

MemoryTexmap& ReadTexmap(const Value& value, bool named) {
    MemoryTexmap& texmap = value.context().scene.AddTexmap("", "bitmap");
    bool u_repeat = true, v_repeat = true, u_mirror = false, v_mirror = false;
    Track<float> w_angle_degrees;
    ObjectReader reader(value);
    if (named) {
        reader.Require("name", texmap.name);
    } else {
        reader.Read("name", texmap.name);
    }
    reader.Read("class", texmap.class_name);
    reader.Read("supported_by_game_export", texmap.supported_by_game_export);
    reader.Read("file_name", texmap.file_name);
    reader.Read("u_repeat", u_repeat);
    reader.Read("v_repeat", v_repeat);
    reader.Read("u_mirror", u_mirror);
    reader.Read("v_mirror", v_mirror);
    reader.Read("u_offset", texmap.u_offset);
    reader.Read("v_offset", texmap.v_offset);
    reader.Read("u_tiling", texmap.u_tiling);
    reader.Read("v_tiling", texmap.v_tiling);
    const bool has_angle = reader.Read("w_angle", w_angle_degrees);
    reader.Finish();
    texmap.tiling_flags = (u_repeat ? UvGenerator::kURepeat : 0) | (v_repeat ? UvGenerator::kVRepeat : 0) |
                          (u_mirror ? UvGenerator::kUMirror : 0) | (v_mirror ? UvGenerator::kVMirror : 0);
    if (has_angle) texmap.w_angle = DegreesToRadians(w_angle_degrees);
    return texmap;
}

// Property values are numbers; true and false read as 1 and 0.
void ReadProperties(const Value& value, std::map<std::string, double>& properties) {
    if (!value.json().is_object()) value.Fail("expected an object, found " + Describe(value.json()));
    for (const auto& item : value.json().items()) {
        const Value property = value.Member(item.key());
        if (property.json().is_boolean()) {
            properties[item.key()] = property.json().get<bool>() ? 1.0 : 0.0;
        } else {
            properties[item.key()] = ReadNumber(property);
        }
    }
}

}  // namespace

void ReadNamedTexmap(const Value& value) {
    Context& context = value.context();
    MemoryTexmap& texmap = ReadTexmap(value, true);
    const auto [earlier, fresh] = context.texmap_name_paths.emplace(texmap.name, value.MemberPath("name"));
    if (!fresh) {
        value.Member("name").Fail("duplicate texture map name \"" + texmap.name + "\" (also at " + earlier->second +
                                  ")");
    }
    context.texmaps_by_name[texmap.name] = &texmap;
}

MemoryTexmap* ReadTexmapReference(const Value& value) {
    if (value.json().is_object()) return &ReadTexmap(value, false);
    if (!value.json().is_string()) value.Fail("expected a texture map name or object, found " + Describe(value.json()));
    const std::string name = value.json().get<std::string>();
    const auto& maps = value.context().texmaps_by_name;
    const auto found = maps.find(name);
    if (found == maps.end()) value.Fail("no texture map named \"" + name + "\"");
    return found->second;
}

MemoryMaterial& ReadMaterial(const Value& value, int depth, bool is_delegate) {
    Context& context = value.context();
    if (depth >= kMaxMaterialDepth) {
        value.Fail("materials nested deeper than " + std::to_string(kMaxMaterialDepth) + " levels");
    }
    ObjectReader reader(value);
    std::string class_name;
    reader.RequireNow("class", class_name);
    MemoryMaterial& material = context.scene.AddMaterial("", class_name);
    reader.Require("name", material.name);
    reader.ReadWith("sub_materials", [&material, depth](const Value& list) {
        ForEachElement(list, [&material, depth](const Value& sub, std::size_t) {
            material.sub_materials.push_back(&ReadMaterial(sub, depth + 1, false));
        });
    });
    reader.ReadWith("diffuse_map", [&material](const Value& map) { material.diffuse_map = ReadTexmapReference(map); });
    reader.ReadWith("maps", [&material](const Value& list) {
        ForEachElement(list, [&material](const Value& map, std::size_t) {
            material.other_maps.push_back(ReadTexmapReference(map));
        });
    });
    reader.ReadWith("properties",
                    [&material](const Value& properties) { ReadProperties(properties, material.properties); });
    reader.Read("diffuse", material.diffuse);
    reader.Read("ambient", material.ambient);
    reader.Read("specular", material.specular);
    reader.Read("self_illumination_color_on", material.self_illumination_color_on);
    reader.Read("self_illumination_color", material.self_illumination_color);
    reader.Read("opacity", material.opacity);
    const bool delegates = class_name == "korvo_standard";
    if (delegates) material.delegate = &material;
    reader.ReadWith("delegate", [&material, depth, delegates](const Value& delegate) {
        if (!delegates) delegate.Fail("only a \"korvo_standard\" material has a delegate");
        material.delegate = delegate.json().is_null() ? nullptr : &ReadMaterial(delegate, depth + 1, true);
    });
    reader.Finish();
    if (!is_delegate) context.materials_by_name[material.name].push_back(&material);
    return material;
}

}  // namespace korvo::document
