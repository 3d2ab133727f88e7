#include "extract/material_extraction.h"

#include <gtest/gtest.h>

#include "document_run.h"

namespace korvo {
namespace {

using test::DocumentRun;
using test::TrueColorTga;
using Strings = std::vector<std::string>;

Strings MaterialNames(const DocumentRun& run) {
    Strings names;
    for (const ExportMaterial& material : run.scene.materials) names.push_back(material.name);
    return names;
}

TEST(MaterialExtraction, NamesAreCleanedMadeUniqueAndSortedWithTheirSources) {
    DocumentRun run(R"({"materials": [
        {"class": "korvo_standard", "name": "a b"}, {"class": "korvo_standard", "name": "a_b"},
        {"class": "multi", "name": "Multi", "sub_materials": [
            {"class": "korvo_standard", "name": "a-b"}, {"class": "standard", "name": "dummy_material"},
            {"class": "blend", "name": "Odd"}]},
        {"class": "korvo_standard", "name": "zebra"}, {"class": "korvo_standard", "name": "Zed"}],
      "nodes": [{"name": "Bare", "mesh": {}}, {"name": "Mixed", "material": "Multi", "mesh": {}},
                {"name": "Bone", "object": "bone_object", "mesh": {}}]})");
    ASSERT_TRUE(run.Materials());

    // The default material is named first, so the host's dummy_material
    // becomes dummy_material_1; then everything is sorted by bytes.
    EXPECT_EQ(MaterialNames(run), (Strings{"Zed", "a_b", "a_b_1", "a_b_2", "dummy_material", "dummy_material_1",
                                            "zebra"}));
    Strings sources;
    for (const HostMaterial* source : run.extraction->material_sources) sources.push_back(source ? source->Name() : "");
    EXPECT_EQ(sources, (Strings{"Zed", "a b", "a_b", "a-b", "", "dummy_material", "zebra"}));
    EXPECT_EQ(run.Material("dummy_material").diffuse, (std::vector<Rgb8>{{96, 96, 96}}));
    EXPECT_FALSE(run.Material("dummy_material").orphan);
    EXPECT_TRUE(run.Material("a_b").orphan);
    EXPECT_EQ(run.reports.Warnings(),
              (Strings{"Warning: No material on node \"Bare\"",
                       "Warning: Material \"Odd\" is not of a supported material type and has been assigned a "
                       "default material.",
                       "Warning: Material name changed: a_b_1", "Warning: Material name changed: a_b_2",
                       "Warning: Material name changed: dummy_material_1",
                       "Warning: Exported material is not KORVO standard or KORVO morpher and will be set to "
                       "default parameters: \"dummy_material\""}));
    EXPECT_TRUE(run.reports.Errors().empty());
    EXPECT_EQ(run.scene.material_count_before_compression, 7);
}

TEST(MaterialExtraction, KorvoPropertiesFollowTheRadioRule) {
    DocumentRun run(R"({"materials": [
        {"class": "korvo_standard", "name": "A", "properties": {
            "light_2": 1, "specularTblOn": 1, "fogOn": 1, "wireFrame": 0, "displayFace": 0, "polyMode": -2,
            "polyID": 12, "texGen": 3, "texGenST": 1, "comPress": 2, "iflLoop": 1, "depthTestDecal": 1,
            "transUpdateDepth": 1, "render1Pixel": 1, "farClipping": 1, "priorityRadio": 2, "priorityValue": 5,
            "tex_effect_mtx_0_0": 0.5, "tex_effect_mtx_0_1": 1, "tex_effect_mtx_1_0": 2, "tex_effect_mtx_1_1": 3,
            "tex_effect_mtx_2_0": 4, "tex_effect_mtx_2_1": 5, "tex_effect_mtx_3_0": 6, "tex_effect_mtx_3_1": 7}},
        {"class": "korvo_standard", "name": "B", "properties": {"priorityRadio": 1, "priorityValue": 5}}]})");
    ASSERT_TRUE(run.Materials());
    const ExportMaterial& a = run.Material("A");
    EXPECT_EQ((std::vector<int32_t>{a.light0, a.light1, a.light2, a.light3, a.lights_enabled}),
              (std::vector<int32_t>{0, 0, 1, 0, 1}));
    EXPECT_EQ((std::vector<int32_t>{a.shininess_table, a.fog_flag, a.wire_mode, a.polygon_id, a.ifl_loop,
                                    a.depth_test_decal, a.translucent_update_depth, a.render_1_pixel,
                                    a.far_clipping, a.priority}),
              (std::vector<int32_t>{1, 1, 0, 12, 1, 1, 1, 1, 1, 5}));
    // Radio buttons: 0 and below give 0, n gives n - 1.
    EXPECT_EQ(a.face, MaterialFace::Front);
    EXPECT_EQ(a.polygon_mode, PolygonMode::Modulate);
    EXPECT_EQ(a.tex_gen_mode, TexGenMode::Nrm);
    EXPECT_EQ(a.tex_gen_st_src, TexGenSource::Polygon);
    EXPECT_EQ(a.compress, 1);
    EXPECT_EQ(a.tex_effect_mtx, (TexEffectMatrix{{{0.5f, 1, 0, 0}, {2, 3, 0, 0}, {4, 5, 1, 0}, {6, 7, 0, 1}}}));
    const ExportMaterial& b = run.Material("B");
    EXPECT_EQ(b.priority, 0);
    EXPECT_EQ(b.lights_enabled, 0);
    EXPECT_TRUE(run.reports.all.empty());
}

TEST(MaterialExtraction, HostStandardMaterialsGetDefaultParametersButTheirOwnColours) {
    DocumentRun run(R"({"materials": [{"class": "standard", "name": "Plain", "properties": {"polyMode": 3},
        "diffuse": {"keys": [[0, [0.999, 0, 1]], [2, [0, 0.5, 0]]]}, "ambient": [0.1, 0.2, 0.3],
        "specular": [1.5, -1, 0.001], "self_illumination_color_on": true, "self_illumination_color": [0, 0, 1],
        "opacity": {"keys": [[0, 0.999], [2, 0]]}}]})");
    ASSERT_TRUE(run.Materials(0, 2));
    const ExportMaterial& m = run.Material("Plain");
    EXPECT_EQ(run.reports.Warnings(), Strings{"Warning: Exported material is not KORVO standard or KORVO morpher and "
                                              "will be set to default parameters: \"Plain\""});
    EXPECT_EQ((std::vector<int32_t>{m.light0, m.light1, m.lights_enabled, m.compress}),
              (std::vector<int32_t>{1, 0, 1, 0}));
    EXPECT_EQ(m.polygon_mode, PolygonMode::Modulate);
    EXPECT_EQ(m.face, MaterialFace::Front);
    EXPECT_EQ(m.tex_effect_mtx, (TexEffectMatrix{{{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}}}));
    // Colours round, opacity truncates: 0.999 gives 255 and 254.
    EXPECT_EQ(m.diffuse, (std::vector<Rgb8>{{255, 0, 255}, {127, 64, 128}, {0, 128, 0}}));
    EXPECT_EQ(m.ambient, (std::vector<Rgb8>(3, Rgb8{26, 51, 77})));
    EXPECT_EQ(m.specular, (std::vector<Rgb8>(3, Rgb8{255, 0, 0})));
    EXPECT_EQ(m.emission, (std::vector<Rgb8>(3, Rgb8{0, 0, 255})));
    EXPECT_EQ(m.alpha, (std::vector<uint8_t>{254, 127, 0}));
    EXPECT_TRUE(m.texture_path.empty());
    EXPECT_TRUE(m.tex_scale_s.empty());
}

TEST(MaterialExtraction, ColoursComeFromTheDelegateAndFramesFollowTheExportStart) {
    DocumentRun run(R"({"materials": [{"class": "korvo_standard", "name": "K", "diffuse": [1, 1, 1],
        "delegate": {"class": "standard", "name": "Behind",
                     "diffuse": {"keys": [[0, [0, 0, 0]], [10, [1, 1, 1]]]}}}],
        "nodes": [{"name": "Box", "material": "K", "mesh": {}}]})");
    ASSERT_TRUE(run.Materials(5, 6));
    // Without a mesh needing it there is no default material.
    EXPECT_EQ(MaterialNames(run), Strings{"K"});
    EXPECT_TRUE(run.reports.all.empty());
    EXPECT_EQ(run.Material("K").diffuse, (std::vector<Rgb8>{{128, 128, 128}, {153, 153, 153}}));
    EXPECT_EQ(run.Material("K").emission, (std::vector<Rgb8>(2, Rgb8{})));
}

TEST(MaterialExtraction, MorpherVisitsItsBaseFirst) {
    DocumentRun run(R"({"materials": [{"class": "korvo_morpher", "name": "Face",
        "properties": {"polyMode": 2}, "sub_materials": [
            {"class": "korvo_standard", "name": "Ch0", "diffuse_map": {"file_name": "a_ch0.tga"}},
            {"class": "korvo_standard", "name": "Ch1", "diffuse_map": {"file_name": "b_ch1.tga"}},
            {"class": "korvo_standard", "name": "Base", "diffuse": [0, 1, 0],
             "diffuse_map": {"file_name": "c_base.tga", "u_tiling": 2}}]}]})");
    for (const char* file : {"c_base.tga", "a_ch0.tga", "b_ch1.tga"}) run.Image(file, TrueColorTga(8, 8));
    ASSERT_TRUE(run.Materials());
    ASSERT_EQ(MaterialNames(run), Strings{"Face"});
    const ExportMaterial& face = run.scene.materials[0];
    EXPECT_EQ(face.texture_frame_count, 3);
    EXPECT_FALSE(face.is_ifl);
    EXPECT_EQ(face.pattern_images,
              (Strings{run.HostPath("c_base.tga"), run.HostPath("a_ch0.tga"), run.HostPath("b_ch1.tga")}));
    EXPECT_EQ(face.texture_path, run.HostPath("c_base.tga"));
    EXPECT_EQ(face.polygon_mode, PolygonMode::Decal);
    EXPECT_EQ(face.diffuse, (std::vector<Rgb8>{{0, 255, 0}}));
    EXPECT_EQ(face.tex_scale_s, std::vector<float>{2.0f});
    ASSERT_EQ(run.scene.textures.size(), 3u);
    EXPECT_EQ(run.scene.textures[0].name, "a_ch0");
    EXPECT_EQ(run.scene.textures[2].name, "c_base");
    EXPECT_TRUE(run.reports.all.empty());
}

TEST(MaterialExtraction, ErrorsStopTheExport) {
    const auto boxes = [](const std::string& document) {
        DocumentRun run(document);
        run.Image("one.tga", TrueColorTga(8, 8));
        EXPECT_FALSE(run.Materials());
        return run.BoxTexts();
    };
    const Strings morpher = boxes(R"({"materials": [{"class": "korvo_morpher", "name": "M", "sub_materials": [
        {"class": "korvo_standard", "name": "Ch", "diffuse_map": {"class": "noise"}},
        {"class": "korvo_standard", "name": "Base", "diffuse_map": {"file_name": "one.tga"}}]}]})");
    ASSERT_EQ(morpher.size(), 1u);
    EXPECT_EQ(morpher[0].rfind("Missing Morpher Diffuse Map: Error: A sub material has not been assigned a diffuse "
                               "map in a KORVO Morpher modifier. ",
                               0),
              0u);
    EXPECT_EQ(boxes(R"({"materials": [{"class": "standard", "name": ""}]})"),
              Strings{"Material Export Error: Material name is empty"});
    EXPECT_EQ(boxes(R"({"nodes": [{"name": "Smooth", "mesh": {}, "modifiers": [{"class": "HSDS"}]}]})"),
              Strings{"Subdivision Modifier Applied: Error: Can't export subdivision surface. Smooth"});
}

TEST(MaterialExtraction, OnlyTheDiffuseBitmapIsUsed) {
    DocumentRun run(R"({"materials": [
        {"class": "korvo_standard", "name": "Noisy", "diffuse_map": {"class": "noise"}},
        {"class": "korvo_standard", "name": "Layered", "diffuse_map": {"file_name": "one.tga"},
         "maps": [{"class": "noise"}, {"file_name": "missing.tga"}]}]})");
    run.Image("one.tga", TrueColorTga(8, 8));
    ASSERT_TRUE(run.Materials());
    EXPECT_EQ(run.reports.Warnings(), (Strings{"Warning: Procedural texture is ignored on material: Noisy",
                                               "Warning: Multi texture is used. Use first texture only. Layered"}));
    EXPECT_TRUE(run.Material("Noisy").texture_path.empty());
    EXPECT_EQ(run.Material("Noisy").texture_frame_count, 0);
    EXPECT_EQ(run.Material("Layered").texture_path, run.HostPath("one.tga"));
    EXPECT_EQ(run.Material("Layered").texture_frame_count, 1);
    EXPECT_EQ(run.scene.textures.size(), 1u);
}

}  // namespace
}  // namespace korvo
