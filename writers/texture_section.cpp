#include "writers/texture_section.h"

#include <algorithm>
#include <span>
#include <string>
#include <vector>

#include "core/export_names.h"
#include "core/export_scene.h"
#include "core/paths.h"
#include "texture/color15.h"
#include "texture/texture_encoder.h"
#include "texture/texture_format.h"
#include "writers/text_writer.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Exporting Textures";
constexpr std::size_t kMaxNameLength = 16;

// Units in lines of per_line, each line started by "\n" + indent; with
// trailing_blank every unit is followed by a blank except the last of a
// full line, otherwise the units of a line are joined by blanks.
void WriteUnits(TextWriter& out, std::span<const uint32_t> units, const char* format, std::size_t per_line,
                const char* indent, bool trailing_blank) {
    for (std::size_t i = 0; i < units.size(); ++i) {
        const std::size_t column = i % per_line;
        if (column == 0) out.Printf("\n%s", indent);
        out.Printf(format, units[i]);
        const bool last_of_line = column == per_line - 1;
        const bool last = i + 1 == units.size();
        if (trailing_blank ? !last_of_line : !last_of_line && !last) out.Write(" ");
    }
}

void WriteHead(TextWriter& out, const ExportTexture& t, int index) {
    out.Printf("\t<tex_image index=\"%d\" name=\"%s\"\n", index, t.name.c_str());
    out.Printf("\t\twidth=\"%d\" height=\"%d\" original_width=\"%d\" original_height=\"%d\"\n", t.width, t.height,
               t.original_width, t.original_height);
    out.Printf("\t\tformat=\"%s\"\n", std::string(TextureFormatName(t.format)).c_str());
}

void WritePathAndClose(TextWriter& out, const ExportTexture& t) {
    out.Printf("\t\tpath=\"%s\"\n", ToForwardSlashes(t.path).c_str());
    out.Printf("\t>\n");
}

void WriteBitmapOpen(TextWriter& out, const EncodedTexture& e) {
    out.Printf("\t\t<bitmap size=\"%d\">", BitmapUnitCount(e.format, e.width, e.height));
}

void WritePrepared(TextWriter& out, const ExportTexture& t, const EncodedTexture& e, int index) {
    WriteHead(out, t, index);
    if (t.format == kFormatPalette4 || t.format == kFormatPalette16 || t.format == kFormatPalette256) {
        out.Printf("\t\tcolor0_mode=\"%s\"\n", t.color0_transparent ? "transparency" : "color");
    }
    if (t.format != kFormatDirect) {
        if (!t.palette_name.empty()) {
            out.Printf("\t\tpalette_name=\"%s\"\n", CleanExportName(t.palette_name).c_str());
        } else {
            out.Printf("\t\tpalette_name=\"%s_pl\"\n", t.name.c_str());
        }
    }
    WritePathAndClose(out, t);
    WriteBitmapOpen(out, e);
    if (t.format == kFormatTex4x4) {
        WriteUnits(out, e.units, "%.8x", 4, "\t\t\t", false);
    } else {
        WriteUnits(out, e.units, "%.4x", 8, "\t\t\t", false);
    }
    out.Printf("\n\t\t</bitmap>\n");
    if (t.format == kFormatTex4x4) {
        const std::vector<uint32_t> indices(e.block_palette_indices.begin(), e.block_palette_indices.end());
        out.Printf("\t\t<tex4x4_palette_idx size=\"%d\">", static_cast<int>(indices.size()));
        WriteUnits(out, indices, "%.4x", 8, "\t\t\t", false);
        out.Printf("\n\t\t</tex4x4_palette_idx>\n");
    }
    out.Printf("\t</tex_image>\n");
}

void WriteConverted(TextWriter& out, const ExportTexture& t, const EncodedTexture& e, int index) {
    WriteHead(out, t, index);
    if (e.format != kFormatDirect && e.format != kFormatA5I3 && e.format != kFormatA3I5 && e.format != kFormatTex4x4) {
        out.Printf("\t\tcolor0_mode=\"%s\"\n", e.color0_transparent ? "transparency" : "color");
    }
    if (e.format != kFormatDirect) out.Printf("\t\tpalette_name=\"%s_pl\"\n", t.name.c_str());
    WritePathAndClose(out, t);
    WriteBitmapOpen(out, e);
    if (e.format == kFormatTex4x4) {
        WriteUnits(out, e.units, "%.8x", 4, "\t\t\t", true);
        out.Printf("\n\t\t</bitmap>");
        out.Printf("\n\t\t<tex4x4_palette_idx size=\"%d\">", static_cast<int>(e.block_palette_indices.size()));
        for (std::size_t i = 0; i < e.block_palette_indices.size(); ++i) {
            if (i % 8 == 0) out.Printf("\n\t\t\t");
            out.Printf("%.4x ", e.block_palette_indices[i]);
        }
        out.Printf("\n\t\t</tex4x4_palette_idx>\n");
    } else {
        WriteUnits(out, e.units, "%.4x", 8, "\t\t\t", true);
        out.Printf("\n\t\t</bitmap>\n");
    }
    out.Printf("\t</tex_image>\n");
}

void WriteImages(TextWriter& out, ExportScene& scene, Diagnostics& diagnostics, Progress& progress) {
    const float step = progress.StepSize(static_cast<int>(scene.textures.size()));
    out.Printf("\n<tex_image_array size=\"%d\">\n", static_cast<int>(scene.textures.size()));
    for (std::size_t i = 0; i < scene.textures.size(); ++i) {
        ExportTexture& t = scene.textures[i];
        if (t.name.empty()) t.name = TextureBaseName(t.path);
        if (t.name.size() > kMaxNameLength) {
            diagnostics.WarnF("Warning: Length of name over 16 characters. texture: %s", t.name.c_str());
        }
        const EncodedTexture encoded = EncodeTexture(t);
        if (t.prepared) {
            WritePrepared(out, t, encoded, static_cast<int>(i));
        } else {
            WriteConverted(out, t, encoded, static_cast<int>(i));
        }
        progress.Advance(step, kProgressText);
    }
    out.Printf("</tex_image_array>\n");
}

// Names every palette and lists the ones to write; false when a palette
// name is shared by different colours.
bool ListPalettes(ExportScene& scene, std::vector<const ExportTexture*>& written, Diagnostics& diagnostics,
                  Progress& progress) {
    for (std::size_t i = 0; i < scene.textures.size(); ++i) {
        ExportTexture& t = scene.textures[i];
        if (t.format == kFormatDirect) continue;
        if (!t.palette_name.empty()) {
            const auto before = scene.textures.begin() + static_cast<std::ptrdiff_t>(i);
            const auto earlier = std::find_if(scene.textures.begin(), before, [&](const ExportTexture& e) {
                return e.format != kFormatDirect && e.palette_name == t.palette_name;
            });
            if (earlier != before) {
                if (earlier->palette != t.palette) {
                    progress.FinishStep(kProgressText);
                    diagnostics.Error("Texture palette data is not identical. " + t.palette_name, "Palette Error");
                    return false;
                }
                t.shares_palette = true;
            }
        }
        t.palette_output_name = CleanExportName(t.palette_name.empty() ? t.name + "_pl" : t.palette_name);
        if (!t.shares_palette) written.push_back(&t);
    }
    return true;
}

void WritePalettes(TextWriter& out, std::vector<const ExportTexture*>& written, Diagnostics& diagnostics) {
    if (written.empty()) return;
    std::stable_sort(written.begin(), written.end(), [](const ExportTexture* a, const ExportTexture* b) {
        return a->palette_output_name < b->palette_output_name;
    });
    out.Printf("\n<tex_palette_array size=\"%d\">\n", static_cast<int>(written.size()));
    for (std::size_t i = 0; i < written.size(); ++i) {
        const ExportTexture& t = *written[i];
        const std::size_t padded = (t.palette.size() + 7) / 8 * 8;
        out.Printf("\t<tex_palette index=\"%d\" name=\"%s\" color_size=\"%d\">", static_cast<int>(i),
                   t.palette_output_name.c_str(), static_cast<int>(padded));
        if (t.palette_output_name.size() > kMaxNameLength) {
            diagnostics.WarnF("Warning: Length of name over 16 characters. palette: %s", t.palette_output_name.c_str());
        }
        std::vector<uint32_t> colors(t.palette.begin(), t.palette.end());
        colors.resize(padded, kPaletteFiller);
        WriteUnits(out, colors, "%.4x", 8, "\t\t", false);
        out.Printf("\n\t</tex_palette>\n");
    }
    out.Printf("</tex_palette_array>\n");
}

}  // namespace

bool WriteTextureSections(TextWriter& out, ExportScene& scene, Diagnostics& diagnostics, Progress& progress) {
    if (scene.textures.empty()) {
        progress.FinishStep(kProgressText);
        return true;
    }
    WriteImages(out, scene, diagnostics, progress);
    std::vector<const ExportTexture*> written;
    if (!ListPalettes(scene, written, diagnostics, progress)) return false;
    WritePalettes(out, written, diagnostics);
    for (ExportTexture& t : scene.textures) {
        if (t.palette_output_name.empty()) continue;
        const auto entry = std::find_if(written.begin(), written.end(), [&](const ExportTexture* w) {
            return w->palette_output_name == t.palette_output_name;
        });
        if (entry != written.end()) t.palette_index = static_cast<int32_t>(entry - written.begin());
    }
    progress.FinishStep(kProgressText);
    return true;
}

}  // namespace korvo
