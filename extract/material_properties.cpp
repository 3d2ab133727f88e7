#include "extract/material_properties.h"

#include <string>

namespace korvo {

namespace {

int32_t IntProperty(const HostMaterial& material, const char* property) {
    return material.PropertyInt(property).value_or(0);
}

Matrix4 EffectMatrix(const HostMaterial& material) {
    Matrix4 matrix{};
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
    record.light0 = IntProperty(material, "light_0");
    record.light1 = IntProperty(material, "light_1");
    record.light2 = IntProperty(material, "light_2");
    record.light3 = IntProperty(material, "light_3");
    record.lights_enabled = (record.light0 || record.light1 || record.light2 || record.light3) ? 1 : 0;
    record.shininess_table = IntProperty(material, "specularTblOn");
    record.fog_flag = IntProperty(material, "fogOn");
    record.wire_mode = IntProperty(material, "wireFrame");
    record.face = RadioValue(material, "displayFace");
    record.polygon_mode = RadioValue(material, "polyMode");
    record.polygon_id = IntProperty(material, "polyID");
    record.tex_gen_mode = RadioValue(material, "texGen");
    record.tex_gen_st_src = RadioValue(material, "texGenST");
    record.compress = RadioValue(material, "comPress");
    record.ifl_loop = IntProperty(material, "iflLoop");
    record.depth_test_decal = IntProperty(material, "depthTestDecal");
    record.translucent_update_depth = IntProperty(material, "transUpdateDepth");
    record.render_1_pixel = IntProperty(material, "render1Pixel");
    record.far_clipping = IntProperty(material, "farClipping");
    record.priority = IntProperty(material, "priorityRadio") == 1 ? 0 : IntProperty(material, "priorityValue");
    record.tex_effect_mtx = EffectMatrix(material);
}

void SetDefaultParameters(ExportMaterial& record) {
    record.light0 = 1;
    record.light1 = record.light2 = record.light3 = 0;
    record.lights_enabled = 1;
    record.shininess_table = record.fog_flag = record.wire_mode = 0;
    record.face = record.polygon_mode = record.polygon_id = 0;
    record.tex_gen_mode = record.tex_gen_st_src = record.compress = 0;
    record.ifl_loop = record.depth_test_decal = record.translucent_update_depth = 0;
    record.render_1_pixel = record.far_clipping = record.priority = 0;
    record.tex_effect_mtx = Matrix4{};
    for (std::size_t i = 0; i < 4; ++i) record.tex_effect_mtx[i][i] = 1.0f;
}

}  // namespace korvo
