#include <gtest/gtest.h>

#include "core/export_names.h"
#include "model_test_scene.h"

namespace korvo {
namespace {

using test::Section;

TEST(MaterialSectionTest, WritesTheDefaultMaterial) {
    ExportScene scene = test::ModelScene();
    const test::ModelFile file = test::WriteModel(scene);
    EXPECT_EQ(Section(file.text, "material_array"),
              "\n<material_array size=\"1\">\n"
              "\t<material index=\"0\" name=\"dummy_material\"\n"
              "\t\tlight0=\"on\" light1=\"off\" light2=\"off\" light3=\"off\"\n"
              "\t\tface=\"front\"\n"
              "\t\talpha=\"31\"\n"
              "\t\twire_mode=\"off\"\n"
              "\t\tpolygon_mode=\"modulate\"\n"
              "\t\tpolygon_id=\"0\"\n"
              "\t\tfog_flag=\"off\"\n"
              "\t\tdepth_test_decal=\"off\"\n"
              "\t\ttranslucent_update_depth=\"off\"\n"
              "\t\trender_1_pixel=\"off\"\n"
              "\t\tfar_clipping=\"off\"\n"
              "\t\tdiffuse=\"12 12 12\"\n"
              "\t\tambient=\"0 0 0\"\n"
              "\t\tspecular=\"0 0 0\"\n"
              "\t\temission=\"0 0 0\"\n"
              "\t\tshininess_table_flag=\"off\"\n"
              "\t\ttex_image_idx=\"-1\" tex_palette_idx=\"-1\"\n"
              "\t/>\n"
              "</material_array>\n");
    EXPECT_TRUE(file.warnings.empty());
}

ExportTexture Texture(const std::string& path, uint16_t width, uint16_t height) {
    ExportTexture texture;
    texture.path = path;
    texture.name = TextureBaseName(path);
    texture.original_width = width;
    texture.original_height = height;
    return texture;
}

TEST(MaterialSectionTest, TexturedMaterialsFindTheirImageAndCheckTheirTiling) {
    ExportScene scene = test::ModelScene();
    scene.textures = {Texture("C:/maps/a.tga", 64, 64), Texture("C:/maps/b.tga", 512, 4)};
    ExportMaterial& moved = scene.materials[0];
    moved.name = "moved_material_17";
    moved.texture_path = "C:/maps/b.tga";
    moved.tex_tiling_s = Tiling::Clamp;
    moved.tex_tiling_t = Tiling::Repeat;
    moved.tex_scale_s = {2.0f};
    moved.tex_scale_t = {1.0f};
    moved.tex_rotate = {0.0f};
    moved.tex_translate_s = {0.0f};
    moved.tex_translate_t = {0.25f};
    moved.alpha = {7};
    moved.shininess_table = true;
    moved.light0 = false;
    moved.lights_enabled = false;
    ExportMaterial mapped = DefaultMaterial(1);
    mapped.name = "mapped";
    mapped.texture_path = "C:/maps/unknown.tga";
    mapped.tex_gen_mode = TexGenMode::Nrm;
    mapped.tex_gen_st_src = TexGenSource::Material;
    mapped.tex_effect_mtx[0] = {1, 2, 0, 0};
    mapped.tex_effect_mtx[3] = {0.5f, 0.25f, 0, 1};
    scene.materials.push_back(mapped);

    const test::ModelFile file = test::WriteModel(scene);
    const std::string materials = Section(file.text, "material_array");
    EXPECT_NE(materials.find("\t\talpha=\"0\"\n"), std::string::npos);
    // Each texture is encoded with a palette of its own, numbered by name.
    EXPECT_NE(materials.find("\t\tshininess_table_flag=\"off\"\n"
                             "\t\ttex_image_idx=\"1\" tex_palette_idx=\"1\"\n"
                             "\t\ttex_tiling=\"clamp repeat\"\n"
                             "\t\ttex_scale=\"2.000000 1.000000\"\n"
                             "\t\ttex_rotate=\"0.000000\"\n"
                             "\t\ttex_translate=\"0.000000 0.250000\"\n"
                             "\t\ttex_gen_mode=\"tex\"\n"
                             "\t/>\n"),
              std::string::npos);
    EXPECT_NE(materials.find("\t\ttex_image_idx=\"0\" tex_palette_idx=\"0\"\n"
                             "\t\ttex_tiling=\"clamp clamp\"\n"
                             "\t\ttex_scale=\"1.000000 1.000000\"\n"
                             "\t\ttex_rotate=\"0.000000\"\n"
                             "\t\ttex_translate=\"0.000000 0.000000\"\n"
                             "\t\ttex_gen_mode=\"nrm\"\n"
                             "\t\ttex_gen_st_src=\"material\"\n"
                             "\t\ttex_effect_mtx=\"1.000000 2.000000 0.000000 0.000000\n"
                             "\t\t                0.000000 0.000000 0.000000 0.000000\n"
                             "\t\t                0.000000 0.000000 0.000000 0.000000\n"
                             "\t\t                0.500000 0.250000 0.000000 1.000000\"\n"
                             "\t/>\n"),
              std::string::npos);
    EXPECT_EQ(file.layout.material_images, (std::vector<int32_t>{1, 0}));
    // Only the height is below 8, and only T repeats.
    EXPECT_EQ(file.warnings, (std::vector<std::string>{
                                 "Warning: Length of name over 16 characters. material: moved_material_17",
                                 "Warning: Texture height must be power of 2 for tile / mirror: Texture: C:/maps/b.tga",
                             }));
}

}  // namespace
}  // namespace korvo
