#include "extract/material_extraction.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <unordered_set>

#include "core/export_names.h"
#include "extract/default_material.h"
#include "extract/material_kinds.h"
#include "extract/material_record.h"
#include "extract/mesh_extraction.h"
#include "extract/texture_sources.h"

namespace korvo {

namespace {

constexpr const char* kTextureProgressText = "IVA: Exporting Materials";
constexpr const char* kMaterialProgressText = "Exporting Materials";

// Records a material gives: the sum over a Multi/Sub-Object's
// sub-materials, 1 for any other supported material.
int CountRecords(const HostMaterial& material) {
    if (!IsSupportedMaterial(material)) return 0;
    if (!material.IsMulti()) return 1;
    int count = 0;
    for (const HostMaterial* sub : SubMaterialsInOrder(material)) count += CountRecords(*sub);
    return count;
}

// Warns about each unsupported leaf; true when there was one.
bool WarnUnsupportedLeaves(Diagnostics& diagnostics, const HostMaterial& material) {
    if (material.IsMulti()) {
        bool any = false;
        for (const HostMaterial* sub : SubMaterialsInOrder(material)) {
            any = WarnUnsupportedLeaves(diagnostics, *sub) || any;
        }
        return any;
    }
    if (IsSupportedMaterial(material)) return false;
    diagnostics.Warn("Warning: Material \"" + material.Name() +
                     "\" is not of a supported material type and has been assigned a default material.");
    return true;
}

// Whether some mesh node is drawn with the default material; nothing when
// a node carries a subdivision surface, which stops the export.
std::optional<bool> DefaultMaterialNeeded(Extraction& extraction) {
    bool needed = false;
    for (HostNode* node : extraction.wrapper.NodesOfType(ObjectType::Mesh)) {
        if (SubdivisionCheck(extraction, *node)) return std::nullopt;
        if (node->ObjectClassId() == class_ids::kBoneObject) continue;
        const HostMaterial* material = node->Material();
        if (!material) {
            extraction.diagnostics.Warn("Warning: No material on node \"" + node->Name() + "\"");
            needed = true;
        } else if (WarnUnsupportedLeaves(extraction.diagnostics, *material)) {
            needed = true;
        }
    }
    return needed;
}

void WarnSameNamedTextures(const ExportScene& scene, Diagnostics& diagnostics) {
    std::unordered_set<std::string> seen;
    for (const ExportTexture& texture : scene.textures) {
        if (!seen.insert(TextureBaseName(texture.path)).second) {
            diagnostics.WarnF("Same named texture file exist. %s", texture.path.c_str());
        }
    }
}

// Materials by name in byte order, the source list following them.
void SortMaterials(Extraction& extraction) {
    std::vector<ExportMaterial>& materials = extraction.scene.materials;
    std::vector<std::size_t> order(materials.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::stable_sort(order.begin(), order.end(),
                     [&materials](std::size_t a, std::size_t b) { return materials[a].name < materials[b].name; });
    std::vector<ExportMaterial> sorted;
    std::vector<const HostMaterial*> sources;
    sorted.reserve(order.size());
    sources.reserve(order.size());
    for (std::size_t i : order) {
        sorted.push_back(std::move(materials[i]));
        sources.push_back(extraction.material_sources[i]);
    }
    materials = std::move(sorted);
    extraction.material_sources = std::move(sources);
}

void NameAndSortTextures(ExportScene& scene) {
    for (ExportTexture& texture : scene.textures) texture.name = TextureBaseName(texture.path);
    std::stable_sort(scene.textures.begin(), scene.textures.end(),
                     [](const ExportTexture& a, const ExportTexture& b) { return a.name < b.name; });
}

}  // namespace

bool ExtractMaterials(Extraction& extraction) {
    ExportScene& scene = extraction.scene;
    const std::vector<HostMaterial*> roots = extraction.host_scene.RootMaterials();
    const float step = extraction.progress.StepSize(3 * std::max<int>(1, static_cast<int>(roots.size())));
    TextureSources sources{scene, extraction.diagnostics, extraction.host_scene,
                           TextureSearchOf(extraction.host_scene), {}};

    int image_count = 0;
    for (const HostMaterial* material : roots) {
        extraction.progress.Advance(step, kTextureProgressText);
        image_count += CountTextureImages(sources, *material);
    }
    if (image_count > 0) {
        for (const HostMaterial* material : roots) {
            extraction.progress.Advance(step, kTextureProgressText);
            if (!CollectTextures(sources, *material)) return false;
        }
    }
    WarnSameNamedTextures(scene, extraction.diagnostics);

    int record_count = 0;
    for (const HostMaterial* material : roots) record_count += CountRecords(*material);
    const std::optional<bool> default_needed = DefaultMaterialNeeded(extraction);
    if (!default_needed) return false;

    scene.materials.reserve(static_cast<std::size_t>(record_count) + (*default_needed ? 1 : 0));
    MaterialRecords records{extraction, sources, {}};
    if (*default_needed) {
        scene.materials.push_back(DefaultMaterial(extraction.options.frames.count));
        extraction.material_sources.push_back(nullptr);
        records.names.Add(kDefaultMaterialName);
    }
    for (const HostMaterial* material : roots) {
        extraction.progress.Advance(step, kMaterialProgressText);
        if (!AddMaterialRecords(records, *material)) return false;
    }

    if (scene.materials.size() >= 2) SortMaterials(extraction);
    NameAndSortTextures(scene);
    scene.material_count_before_compression = static_cast<int32_t>(scene.materials.size());
    extraction.progress.FinishStep(kMaterialProgressText);
    return true;
}

}  // namespace korvo
