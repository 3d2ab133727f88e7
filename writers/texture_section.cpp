#include "writers/texture_section.h"

#include <span>
#include <string>
#include <vector>

#include "core/export_names.h"
#include "core/paths.h"
#include "texture/color15.h"
#include "texture/texture_format.h"

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

void WriteHead(TextWriter& out, const ExportTexture& t, const EncodedTexture& e, int index) {
    out.Printf("\t<tex_image index=\"%d\" name=\"%s\"\n", index, t.name.c_str());
    out.Printf("\t\twidth=\"%d\" height=\"%d\" original_width=\"%d\" original_height=\"%d\"\n", t.width, t.height,
               t.original_width, t.original_height);
    out.Printf("\t\tformat=\"%s\"\n", std::string(TextureFormatName(e.format)).c_str());
}

void WritePathAndClose(TextWriter& out, const ExportTexture& t) {
    out.Printf("\t\tpath=\"%s\"\n", ToForwardSlashes(t.path).c_str());
    out.Printf("\t>\n");
}

void WriteBitmapOpen(TextWriter& out, const EncodedTexture& e) {
    out.Printf("\t\t<bitmap size=\"%d\">", BitmapUnitCount(e.format, e.width, e.height));
}

void WritePrepared(TextWriter& out, const ExportTexture& t, const EncodedTexture& e, int index) {
    WriteHead(out, t, e, index);
    if (e.format == kFormatPalette4 || e.format == kFormatPalette16 || e.format == kFormatPalette256) {
        out.Printf("\t\tcolor0_mode=\"%s\"\n", e.color0_transparent ? "transparency" : "color");
    }
    if (e.format != kFormatDirect) {
        if (!e.palette_name.empty()) {
            out.Printf("\t\tpalette_name=\"%s\"\n", CleanExportName(e.palette_name).c_str());
        } else {
            out.Printf("\t\tpalette_name=\"%s_pl\"\n", t.name.c_str());
        }
    }
    WritePathAndClose(out, t);
    WriteBitmapOpen(out, e);
    if (e.format == kFormatTex4x4) {
        WriteUnits(out, e.units, "%.8x", 4, "\t\t\t", false);
    } else {
        WriteUnits(out, e.units, "%.4x", 8, "\t\t\t", false);
    }
    out.Printf("\n\t\t</bitmap>\n");
    if (e.format == kFormatTex4x4) {
        const std::vector<uint32_t> indices(e.block_palette_indices.begin(), e.block_palette_indices.end());
        out.Printf("\t\t<tex4x4_palette_idx size=\"%d\">", static_cast<int>(indices.size()));
        WriteUnits(out, indices, "%.4x", 8, "\t\t\t", false);
        out.Printf("\n\t\t</tex4x4_palette_idx>\n");
    }
    out.Printf("\t</tex_image>\n");
}

void WriteConverted(TextWriter& out, const ExportTexture& t, const EncodedTexture& e, int index) {
    WriteHead(out, t, e, index);
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

void WriteImages(TextWriter& out, const ExportScene& scene, const ModelLayout& layout, Diagnostics& diagnostics) {
    out.Printf("\n<tex_image_array size=\"%d\">\n", static_cast<int>(scene.textures.size()));
    for (std::size_t i = 0; i < scene.textures.size(); ++i) {
        const ExportTexture& t = scene.textures[i];
        if (t.name.size() > kMaxNameLength) {
            diagnostics.WarnF("Warning: Length of name over 16 characters. texture: %s", t.name.c_str());
        }
        const EncodedTexture& encoded = layout.textures[i].encoded;
        if (encoded.prepared) {
            WritePrepared(out, t, encoded, static_cast<int>(i));
        } else {
            WriteConverted(out, t, encoded, static_cast<int>(i));
        }
    }
    out.Printf("</tex_image_array>\n");
}

void WritePalettes(TextWriter& out, const ModelLayout& layout, Diagnostics& diagnostics) {
    if (layout.palettes.empty()) return;
    out.Printf("\n<tex_palette_array size=\"%d\">\n", static_cast<int>(layout.palettes.size()));
    for (std::size_t i = 0; i < layout.palettes.size(); ++i) {
        const TextureLayout& t = layout.textures[static_cast<std::size_t>(layout.palettes[i])];
        const std::vector<uint16_t>& palette = t.encoded.palette;
        const std::size_t padded = (palette.size() + 7) / 8 * 8;
        out.Printf("\t<tex_palette index=\"%d\" name=\"%s\" color_size=\"%d\">", static_cast<int>(i),
                   t.palette_name.c_str(), static_cast<int>(padded));
        if (t.palette_name.size() > kMaxNameLength) {
            diagnostics.WarnF("Warning: Length of name over 16 characters. palette: %s", t.palette_name.c_str());
        }
        std::vector<uint32_t> colors(palette.begin(), palette.end());
        colors.resize(padded, kPaletteFiller);
        WriteUnits(out, colors, "%.4x", 8, "\t\t", false);
        out.Printf("\n\t</tex_palette>\n");
    }
    out.Printf("</tex_palette_array>\n");
}

}  // namespace

bool WriteTextureSections(TextWriter& out, const ExportScene& scene, const ModelLayout& layout,
                          Diagnostics& diagnostics, Progress& progress) {
    if (scene.textures.empty()) {
        progress.FinishStep(kProgressText);
        return true;
    }
    WriteImages(out, scene, layout, diagnostics);
    if (!layout.palette_conflict.empty()) {
        progress.FinishStep(kProgressText);
        diagnostics.Error("Texture palette data is not identical. " + layout.palette_conflict, "Palette Error");
        return false;
    }
    WritePalettes(out, layout, diagnostics);
    progress.FinishStep(kProgressText);
    return true;
}

}  // namespace korvo
