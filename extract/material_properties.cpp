#include "extract/material_properties.h"

#include <string>

namespace korvo {

namespace {

int32_t IntProperty(const HostMaterial& material, const char* property) {
    return material.PropertyInt(property).value_or(0);
}

bool Switch(const HostMaterial& material, const char* property) { return IntProperty(material, property) != 0; }

// A radio value that names no choice is taken as the first.
template <class Enum>
Enum RadioChoice(const HostMaterial& material, const char* property, Enum last) {
    return EnumFromInt(RadioValue(material, property), last, Enum{});
}

TexEffectMatrix EffectMatrix(const HostMaterial& material) {
    TexEffectMatrix matrix{};
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 2; ++column) {
            const std::string property = "tex_effect_mtx_" + std::to_string(row) + "_" + std::to_string(column);
            matrix[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] =
                material.PropertyFloat(property).value_or(0.0f);
        }
    }
    matrix[2][2] = 1.0f;
    matrix[3][3] = 1.0f;
    return matrix;
}

}  // namespace

int32_t RadioValue(const HostMaterial& material, const char* property) {
    const int32_t stored = IntProperty(material, property);
    return stored > 0 ? stored - 1 : 0;
}

void ReadKorvoParameters(const HostMaterial& material, ExportMaterial& record) {
    record.light0 = Switch(material, "light_0");
    record.light1 = Switch(material, "light_1");
    record.light2 = Switch(material, "light_2");
    record.light3 = Switch(material, "light_3");
    record.lights_enabled = record.light0 || record.light1 || record.light2 || record.light3;
    record.shininess_table = Switch(material, "specularTblOn");
    record.fog_flag = Switch(material, "fogOn");
    record.wire_mode = Switch(material, "wireFrame");
    record.face = RadioChoice(material, "displayFace", MaterialFace::Both);
    record.polygon_mode = RadioChoice(material, "polyMode", PolygonMode::Shadow);
    record.polygon_id = IntProperty(material, "polyID");
    record.tex_gen_mode = RadioChoice(material, "texGen", TexGenMode::Pos);
    record.tex_gen_st_src = RadioChoice(material, "texGenST", TexGenSource::Material);
    record.compress = RadioValue(material, "comPress");
    record.ifl_loop = Switch(material, "iflLoop");
    record.depth_test_decal = Switch(material, "depthTestDecal");
    record.translucent_update_depth = Switch(material, "transUpdateDepth");
    record.render_1_pixel = Switch(material, "render1Pixel");
    record.far_clipping = Switch(material, "farClipping");
    record.priority = IntProperty(material, "priorityRadio") == 1 ? 0 : IntProperty(material, "priorityValue");
    record.tex_effect_mtx = EffectMatrix(material);
}

void SetDefaultParameters(ExportMaterial& record) {
    record.light0 = true;
    record.light1 = record.light2 = record.light3 = false;
    record.lights_enabled = true;
    record.shininess_table = record.fog_flag = record.wire_mode = false;
    record.face = MaterialFace::Front;
    record.polygon_mode = PolygonMode::Modulate;
    record.polygon_id = 0;
    record.tex_gen_mode = TexGenMode::None;
    record.tex_gen_st_src = TexGenSource::Polygon;
    record.compress = 0;
    record.ifl_loop = record.depth_test_decal = record.translucent_update_depth = false;
    record.render_1_pixel = record.far_clipping = false;
    record.priority = 0;
    record.tex_effect_mtx = TexEffectMatrix{};
    for (std::size_t i = 0; i < 4; ++i) record.tex_effect_mtx[i][i] = 1.0f;
}

}  // namespace korvo
