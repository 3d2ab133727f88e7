#include "extract/texture_sources.h"

#include <bit>
#include <cmath>

#include "core/format.h"
#include "host/bitmap_pixels.h"
#include "extract/image_file_list.h"
#include "extract/material_kinds.h"
#include "extract/tga_image_reader.h"

namespace korvo {

namespace {

constexpr int kMinTextureSize = 8;
constexpr int kMaxTextureSize = 1024;

// Colour-mapped TGA files are read directly; the host's bitmap reads the
// rest, and any TGA file the direct read does not take.
bool ReadDirectPixels(const std::string& path, ExportTexture& texture) {
    if (!HasExtension(path, "tga")) return false;
    std::optional<RgbaImage> image = ReadDirectTga(path);
    if (!image || image->width != texture.original_width || image->height != texture.original_height) return false;
    texture.pixels = std::move(image->pixels);
    return true;
}

bool IsImageFileList(const std::string& path) { return HasExtension(path, "ifl"); }

}  // namespace

std::string ResolvedBitmapPath(const TextureSources& sources, const HostTexmap& map) {
    return ResolveTexturePath(sources.search, map.BitmapFileName());
}

int CountTextureImages(TextureSources& sources, const HostMaterial& material) {
    const auto known = sources.image_counts.find(&material);
    if (known != sources.image_counts.end()) return known->second;
    int count = 0;
    const HostTexmap* map = material.DiffuseMap();
    if (map && map->IsBitmap()) {
        const std::string path = ResolvedBitmapPath(sources, *map);
        count = 1;
        if (IsImageFileList(path)) {
            const int entries = CountImageFileList(path);
            if (entries < 0) {
                sources.diagnostics.Error(
                    Format("Error reading IFL file: %s applied to material: %s", path.c_str(), material.Name().c_str()),
                    "IFL File Read Error");
            }
            count = entries > 1 ? entries : 1;
        }
    } else {
        if (map) sources.diagnostics.Warn("Warning: Procedural texture is ignored on material: " + material.Name());
        for (const HostMaterial* sub : SubMaterialsInOrder(material)) count += CountTextureImages(sources, *sub);
    }
    sources.image_counts.emplace(&material, count);
    return count;
}

bool CollectTextures(TextureSources& sources, const HostMaterial& material) {
    HostTexmap* map = DiffuseBitmap(material);
    if (material.TexmapCount() > 0 && map) {
        if (!map->SupportedByGameExport()) {
            sources.diagnostics.Error("Texture must be a bitmap", "Texture Error");
            return false;
        }
        const std::string file_name = map->BitmapFileName();
        const std::string path = ResolveTexturePath(sources.search, file_name);
        if (!IsImageFileList(path)) {
            if (FindTexture(sources.scene, path) < 0 &&
                !AddTextureImage(sources.scene, sources.diagnostics, material.Name(), file_name, path,
                                 [map] { return map->Bitmap(0); })) {
                return false;
            }
        } else {
            std::vector<std::string> images;
            std::vector<int32_t> frames;
            if (!ReadImageFileList(sources.diagnostics, sources.search, path, images, frames)) return false;
            HostBitmapManager& manager = sources.host.BitmapManager();
            for (const std::string& image : images) {
                if (FindTexture(sources.scene, image) >= 0) continue;
                const auto load = [&manager, &image] { return manager.Load(FileSystemPath(image)); };
                if (!AddTextureImage(sources.scene, sources.diagnostics, material.Name(), image, image, load)) {
                    return false;
                }
            }
        }
    }
    for (const HostMaterial* sub : SubMaterialsInOrder(material)) {
        if (!CollectTextures(sources, *sub)) return false;
    }
    return true;
}

std::optional<uint16_t> RoundedTextureSize(int size) {
    if (size <= kMinTextureSize) return static_cast<uint16_t>(kMinTextureSize);
    if (size > kMaxTextureSize) return std::nullopt;
    return static_cast<uint16_t>(std::bit_ceil(static_cast<unsigned>(size)));
}

bool AddTextureImage(ExportScene& scene, Diagnostics& diagnostics, const std::string& material_name,
                     const std::string& file_name, const std::string& path,
                     const std::function<std::unique_ptr<HostBitmap>()>& load) {
    const char* kCaption = "Bitmap Error";
    if (file_name.empty()) {
        diagnostics.Error(Format("No texture image name on material %s.", material_name.c_str()), kCaption);
        return false;
    }
    if (!TextureFileExists(path)) {
        diagnostics.Error(
            Format("Texture image missing on material %s at the path: %s.", material_name.c_str(), path.c_str()),
            kCaption);
        return false;
    }
    const std::unique_ptr<HostBitmap> bitmap = load();
    if (!bitmap) {
        diagnostics.Error(
            Format("Failed to open texture on material %s at path: %s", material_name.c_str(), path.c_str()), kCaption);
        return false;
    }

    const int width = bitmap->Width(), height = bitmap->Height();
    const std::optional<uint16_t> rounded_width = RoundedTextureSize(width);
    const std::optional<uint16_t> rounded_height = RoundedTextureSize(height);
    const auto wrong = [](int size) { return size != 0 && !std::has_single_bit(static_cast<unsigned>(size)); };
    if (wrong(width) || wrong(height)) diagnostics.WarnF("Warning: Size of texture is wrong. %s.", path.c_str());
    if (!rounded_width || !rounded_height) {
        diagnostics.Error(Format("Texture size over. %s", path.c_str()), "Texture Size Over");
        return false;
    }

    ExportTexture texture;
    texture.original_width = static_cast<uint16_t>(width > 0 ? width : 0);
    texture.original_height = static_cast<uint16_t>(height > 0 ? height : 0);
    texture.width = *rounded_width;
    texture.height = *rounded_height;
    if (!ReadDirectPixels(path, texture)) texture.pixels = BitmapRgba(*bitmap);
    texture.path = path;
    scene.textures.push_back(std::move(texture));
    return true;
}

int FindTexture(const ExportScene& scene, const std::string& path) {
    for (std::size_t i = 0; i < scene.textures.size(); ++i) {
        if (scene.textures[i].path == path) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace korvo
