#include "writers/texture_layout.h"

#include <algorithm>

#include "core/export_names.h"
#include "texture/texture_encoder.h"
#include "texture/texture_format.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Exporting Textures";

// Names every palette and lists the ones to write; false, with the
// conflict noted, when a palette name is shared by different colours.
bool ListPalettes(const ExportScene& scene, ModelLayout& layout) {
    for (std::size_t i = 0; i < layout.textures.size(); ++i) {
        TextureLayout& t = layout.textures[i];
        const EncodedTexture& e = t.encoded;
        if (e.format == kFormatDirect) continue;
        if (!e.palette_name.empty()) {
            const auto before = layout.textures.begin() + static_cast<std::ptrdiff_t>(i);
            const auto earlier = std::find_if(layout.textures.begin(), before, [&](const TextureLayout& other) {
                return other.encoded.format != kFormatDirect && other.encoded.palette_name == e.palette_name;
            });
            if (earlier != before) {
                if (earlier->encoded.palette != e.palette) {
                    layout.palette_conflict = e.palette_name;
                    return false;
                }
                t.shares_palette = true;
            }
        }
        t.palette_name = CleanExportName(e.palette_name.empty() ? scene.textures[i].name + "_pl" : e.palette_name);
        if (!t.shares_palette) layout.palettes.push_back(static_cast<int32_t>(i));
    }
    return true;
}

// Palettes are written in name order; a texture draws with the first
// palette of its name.
void NumberPalettes(ModelLayout& layout) {
    std::stable_sort(layout.palettes.begin(), layout.palettes.end(), [&](int32_t a, int32_t b) {
        return layout.textures[static_cast<std::size_t>(a)].palette_name <
               layout.textures[static_cast<std::size_t>(b)].palette_name;
    });
    for (TextureLayout& t : layout.textures) {
        if (t.palette_name.empty()) continue;
        const auto entry = std::find_if(layout.palettes.begin(), layout.palettes.end(), [&](int32_t p) {
            return layout.textures[static_cast<std::size_t>(p)].palette_name == t.palette_name;
        });
        if (entry != layout.palettes.end()) t.palette_index = static_cast<int32_t>(entry - layout.palettes.begin());
    }
}

// The first texture with the material's path; 0 when none has it.
int32_t MaterialImage(const ExportScene& scene, const ExportMaterial& material) {
    if (material.texture_path.empty()) return -1;
    for (std::size_t i = 0; i < scene.textures.size(); ++i) {
        if (scene.textures[i].path == material.texture_path) return static_cast<int32_t>(i);
    }
    return 0;
}

}  // namespace

void LayOutTextures(const ExportScene& scene, Progress& progress, ModelLayout& layout) {
    layout.textures.clear();
    layout.palettes.clear();
    layout.palette_conflict.clear();
    const float step = progress.StepSize(static_cast<int>(scene.textures.size()));
    for (const ExportTexture& texture : scene.textures) {
        layout.textures.push_back({EncodeTexture(texture), {}, false, -1});
        progress.Advance(step, kProgressText);
    }
    if (ListPalettes(scene, layout)) NumberPalettes(layout);
    layout.material_images.clear();
    for (const ExportMaterial& material : scene.materials) {
        layout.material_images.push_back(MaterialImage(scene, material));
    }
}

}  // namespace korvo
