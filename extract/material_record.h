#pragma once
// One ExportMaterial per supported leaf material: its unique name, texture
// frames and image list, parameters, colours and texture transform.

#include "core/export_names.h"
#include "extract/extraction.h"
#include "extract/texture_sources.h"

namespace korvo {

struct MaterialRecords {
    Extraction& extraction;
    TextureSources& sources;
    UniqueNames names;  // every record's name so far, the default material's first
};

// Appends the records of a material (of each sub-material of a
// Multi/Sub-Object, in order) and their host materials to the scene and
// the source list. Unsupported materials add nothing. False, with the
// error reported, stops the export.
bool AddMaterialRecords(MaterialRecords& records, const HostMaterial& material);

}  // namespace korvo
