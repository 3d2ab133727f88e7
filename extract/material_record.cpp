#include "extract/material_record.h"

#include "extract/image_file_list.h"
#include "extract/material_colors.h"
#include "extract/material_kinds.h"
#include "extract/material_properties.h"
#include "extract/texture_transform.h"

namespace korvo {

namespace {

void NameRecord(MaterialRecords& records, const std::string& host_name, ExportMaterial& record) {
    const std::string cleaned = CleanExportName(host_name);
    record.name = records.names.Add(cleaned);
    if (record.name != cleaned) records.extraction.diagnostics.Warn("Warning: Material name changed: " + record.name);
}

bool ReadMorpherImages(MaterialRecords& records, const HostMaterial& morpher, ExportMaterial& record) {
    record.texture_frame_count = morpher.SubMaterialCount();
    for (const HostMaterial* sub : SubMaterialsInOrder(morpher)) {
        const HostTexmap* map = DiffuseBitmap(*sub);
        if (!map) {
            records.extraction.diagnostics.Error(
                "Error: A sub material has not been assigned a diffuse map in a KORVO Morpher modifier. "
                "In the Material Editor, open the sub material \"" +
                    sub->Name() + "\" of the KORVO Morpher material \"" + morpher.Name() +
                    "\", assign a Bitmap map to its Diffuse component and choose the image file, then "
                    "export again.",
                "Missing Morpher Diffuse Map");
            return false;
        }
        record.pattern_images.push_back(ResolvedBitmapPath(records.sources, *map));
    }
    return true;
}

bool ReadImageList(MaterialRecords& records, const HostMaterial& material, ExportMaterial& record) {
    record.texture_frame_count = CountTextureImages(records.sources, material);
    record.is_ifl = false;
    const HostTexmap* map = DiffuseBitmap(material);
    if (!map) return true;
    const std::string path = ResolvedBitmapPath(records.sources, *map);
    if (!HasExtension(path, "ifl")) return true;
    record.is_ifl = true;
    return ReadImageFileList(records.extraction.diagnostics, records.sources.search, path, record.pattern_images,
                             record.pattern_counts);
}

// The texture a patterned material shows first in the file: the one of its
// images that comes earliest in the texture list.
std::string FirstPatternTexture(const ExportScene& scene, const ExportMaterial& record) {
    std::string chosen = record.texture_path;
    int best = -1;
    for (const std::string& image : record.pattern_images) {
        const int index = FindTexture(scene, image);
        if (index >= 0 && (best < 0 || index < best)) {
            best = index;
            chosen = image;
        }
    }
    return chosen;
}

void SampleTexture(MaterialRecords& records, const HostMaterial& material, ExportMaterial& record) {
    const HostMaterial* holder = IsKorvoMorpher(material) ? MorpherBase(material) : &material;
    const HostTexmap* map = holder ? DiffuseBitmap(*holder) : nullptr;
    if (!map) return;
    record.texture_path = ResolvedBitmapPath(records.sources, *map);
    if (!record.pattern_images.empty()) record.texture_path = FirstPatternTexture(records.extraction.scene, record);
    const FrameRange& frames = records.extraction.options.frames;
    SampleTextureTransform(*map, frames.start, frames.count, records.extraction.host_scene.TicksPerFrame(), record);
}

bool AddLeafRecord(MaterialRecords& records, const HostMaterial& material) {
    ExportScene& scene = records.extraction.scene;
    const std::string host_name = material.Name();
    if (host_name.empty()) {
        records.extraction.diagnostics.Error("Material name is empty", "Material Export Error");
        return false;
    }
    ExportMaterial record;
    NameRecord(records, host_name, record);

    const bool morpher = IsKorvoMorpher(material);
    if (!(morpher ? ReadMorpherImages(records, material, record) : ReadImageList(records, material, record))) {
        return false;
    }

    if (morpher || IsKorvoStandard(material)) {
        ReadKorvoParameters(material, record);
    } else {
        records.extraction.diagnostics.Warn(
            "Warning: Exported material is not KORVO standard or KORVO morpher and will be set to default "
            "parameters: \"" +
            host_name + "\"");
        SetDefaultParameters(record);
    }

    const FrameRange& frames = records.extraction.options.frames;
    SampleMaterialColors(material, frames.start, frames.count, records.extraction.host_scene.TicksPerFrame(), record);
    SampleTexture(records, material, record);

    record.orphan = true;
    scene.materials.push_back(std::move(record));
    records.extraction.material_sources.push_back(&material);
    if (material.TexmapCount() > 1 && !morpher) {
        records.extraction.diagnostics.WarnF("Warning: Multi texture is used. Use first texture only. %s",
                                             host_name.c_str());
    }
    return true;
}

}  // namespace

bool AddMaterialRecords(MaterialRecords& records, const HostMaterial& material) {
    if (!IsSupportedMaterial(material)) return true;
    if (material.IsMulti()) {
        for (const HostMaterial* sub : SubMaterialsInOrder(material)) {
            if (!AddMaterialRecords(records, *sub)) return false;
        }
        return true;
    }
    return AddLeafRecord(records, material);
}

}  // namespace korvo
