#include "writers/material_section.h"

#include <array>
#include <bit>

#include "texture/texture_format.h"
#include "writers/attribute_words.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Exporting Materials";

constexpr std::array<const char*, 3> kFaces{"front", "back", "both"};
constexpr std::array<const char*, 4> kPolygonModes{"modulate", "decal", "toon_highlight", "shadow"};
constexpr std::array<const char*, 3> kTilings{"clamp", "repeat", "flip"};
constexpr std::array<const char*, 4> kTexGenModes{"none", "tex", "nrm", "pos"};
constexpr std::array<const char*, 2> kTexGenSources{"polygon", "material"};

// The first frame of a sampled value; a material sampled over no frame has
// the neutral value.
template <class T>
T FirstFrame(const std::vector<T>& samples, T neutral) {
    return samples.empty() ? neutral : samples.front();
}

void WriteColor(TextWriter& out, const char* format, const std::vector<Rgb8>& samples) {
    const Rgb8 c = FirstFrame(samples, Rgb8{});
    out.Printf(format, c.r >> 3, c.g >> 3, c.b >> 3);
}

// The palette a texture draws with, as the layout numbered them; direct
// textures have none.
int32_t PaletteIndex(const TextureLayout& texture) {
    return texture.encoded.format == kFormatDirect ? -1 : texture.palette_index;
}

bool TileableSize(uint16_t size) { return size >= 8 && size <= 1024 && std::has_single_bit(size); }

void CheckTiling(Diagnostics& diagnostics, const ExportMaterial& material, const ExportTexture& texture) {
    const auto mirrored_or_repeated = [](Tiling tiling) { return tiling != Tiling::Clamp; };
    if (mirrored_or_repeated(material.tex_tiling_t) && !TileableSize(texture.original_height)) {
        diagnostics.WarnF("Warning: Texture height must be power of 2 for tile / mirror: Texture: %s",
                          texture.path.c_str());
    }
    if (mirrored_or_repeated(material.tex_tiling_s) && !TileableSize(texture.original_width)) {
        diagnostics.WarnF("Warning: Texture width must be power of 2 for tile / mirror: Texture: %s",
                          texture.path.c_str());
    }
}

void WriteTextureAttributes(TextWriter& out, const ExportScene& scene, const ModelLayout& layout,
                            const ExportMaterial& material, int32_t image, Diagnostics& diagnostics) {
    int32_t palette = -1;
    if (static_cast<std::size_t>(image) < scene.textures.size()) {
        CheckTiling(diagnostics, material, scene.textures[static_cast<std::size_t>(image)]);
        palette = PaletteIndex(layout.textures[static_cast<std::size_t>(image)]);
    }
    out.Printf("\t\ttex_image_idx=\"%d\" tex_palette_idx=\"%d\"\n", image, palette);
    out.Printf("\t\ttex_tiling=\"%s %s\"\n", Word(kTilings, material.tex_tiling_s),
               Word(kTilings, material.tex_tiling_t));

    const float scale_s = FirstFrame(material.tex_scale_s, 1.0f);
    const float scale_t = FirstFrame(material.tex_scale_t, 1.0f);
    const float rotate = FirstFrame(material.tex_rotate, 0.0f);
    const float translate_s = FirstFrame(material.tex_translate_s, 0.0f);
    const float translate_t = FirstFrame(material.tex_translate_t, 0.0f);
    out.Printf("\t\ttex_scale=\"%f %f\"\n", scale_s, scale_t);
    out.Printf("\t\ttex_rotate=\"%f\"\n", rotate);
    out.Printf("\t\ttex_translate=\"%f %f\"\n", translate_s, translate_t);

    // A moved texture needs the texture matrix even when the material asks
    // for no coordinate generation.
    const bool identity =
        scale_s == 1.0f && scale_t == 1.0f && rotate == 0.0f && translate_s == 0.0f && translate_t == 0.0f;
    const TexGenMode gen_mode = material.tex_gen_mode == TexGenMode::None && !identity ? TexGenMode::Tex
                                                                                         : material.tex_gen_mode;
    out.Printf("\t\ttex_gen_mode=\"%s\"\n", Word(kTexGenModes, gen_mode));

    if (material.tex_gen_mode == TexGenMode::Nrm || material.tex_gen_mode == TexGenMode::Pos) {
        out.Printf("\t\ttex_gen_st_src=\"%s\"\n", Word(kTexGenSources, material.tex_gen_st_src));
        const TexEffectMatrix& m = material.tex_effect_mtx;
        out.Printf("\t\ttex_effect_mtx=\"%f %f %f %f\n", m[0][0], m[0][1], m[0][2], m[0][3]);
        out.Printf("\t\t                %f %f %f %f\n", m[1][0], m[1][1], m[1][2], m[1][3]);
        out.Printf("\t\t                %f %f %f %f\n", m[2][0], m[2][1], m[2][2], m[2][3]);
        out.Printf("\t\t                %f %f %f %f\"\n", m[3][0], m[3][1], m[3][2], m[3][3]);
    }
}

void WriteMaterial(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, std::size_t index,
                   Diagnostics& diagnostics) {
    const ExportMaterial& material = scene.materials[index];
    if (material.name.size() > 16) {
        diagnostics.WarnF("Warning: Length of name over 16 characters. material: %s", material.name.c_str());
    }
    out.Printf("\t<material index=\"%d\" name=\"%s\"\n", static_cast<int>(index), material.name.c_str());
    out.Printf("\t\tlight0=\"%s\" light1=\"%s\" light2=\"%s\" light3=\"%s\"\n", OnOff(material.light0),
               OnOff(material.light1), OnOff(material.light2), OnOff(material.light3));
    out.Printf("\t\tface=\"%s\"\n", Word(kFaces, material.face));
    out.Printf("\t\talpha=\"%d\"\n", FirstFrame(material.alpha, uint8_t{255}) >> 3);
    out.Printf("\t\twire_mode=\"%s\"\n", OnOff(material.wire_mode));
    out.Printf("\t\tpolygon_mode=\"%s\"\n", Word(kPolygonModes, material.polygon_mode));
    out.Printf("\t\tpolygon_id=\"%d\"\n", material.polygon_id);
    out.Printf("\t\tfog_flag=\"%s\"\n", OnOff(material.fog_flag));
    out.Printf("\t\tdepth_test_decal=\"%s\"\n", OnOff(material.depth_test_decal));
    out.Printf("\t\ttranslucent_update_depth=\"%s\"\n", OnOff(material.translucent_update_depth));
    out.Printf("\t\trender_1_pixel=\"%s\"\n", OnOff(material.render_1_pixel));
    out.Printf("\t\tfar_clipping=\"%s\"\n", OnOff(material.far_clipping));
    WriteColor(out, "\t\tdiffuse=\"%d %d %d\"\n", material.diffuse);
    WriteColor(out, "\t\tambient=\"%d %d %d\"\n", material.ambient);
    WriteColor(out, "\t\tspecular=\"%d %d %d\"\n", material.specular);
    WriteColor(out, "\t\temission=\"%d %d %d\"\n", material.emission);
    out.Printf("\t\tshininess_table_flag=\"%s\"\n",
               OnOff(material.shininess_table && material.lights_enabled));
    if (material.texture_path.empty()) {
        out.Printf("\t\ttex_image_idx=\"%d\" tex_palette_idx=\"%d\"\n", -1, -1);
    } else {
        WriteTextureAttributes(out, scene, layout, material, layout.material_images[index], diagnostics);
    }
    out.Printf("\t/>\n");
}

}  // namespace

void WriteMaterialSection(TextWriter& out, const ExportScene& scene, const ModelLayout& layout,
                          Diagnostics& diagnostics, Progress& progress) {
    const float step = progress.StepSize(static_cast<int>(scene.materials.size()));
    if (!scene.materials.empty()) {
        out.Printf("\n<material_array size=\"%d\">\n", static_cast<int>(scene.materials.size()));
        for (std::size_t i = 0; i < scene.materials.size(); ++i) {
            WriteMaterial(out, scene, layout, i, diagnostics);
            progress.Advance(step, kProgressText);
        }
        out.Printf("</material_array>\n");
    }
    progress.FinishStep(kProgressText);
}

}  // namespace korvo
