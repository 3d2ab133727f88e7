#pragma once
// The texture images behind the materials' diffuse bitmaps: counting them,
// reading their pixels into the scene's textures (one per distinct
// resolved path), and the errors for files that cannot be used.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "host/host.h"
#include "extract/texture_paths.h"

namespace korvo {

struct TextureSources {
    ExportScene& scene;
    Diagnostics& diagnostics;
    HostScene& host;
    TextureSearch search;
    // Images counted per material, each material counted once.
    std::unordered_map<const HostMaterial*, int> image_counts;
};

// The resolved path of a bitmap map's file.
std::string ResolvedBitmapPath(const TextureSources& sources, const HostTexmap& map);

// The images a material's texture stands for: an image file list's entry
// count (at least 1), 1 for another bitmap, else the sum over its
// sub-materials. Warns about procedural maps; an unreadable list is
// reported and counts as one image.
int CountTextureImages(TextureSources& sources, const HostMaterial& material);

// Adds the textures of a material's diffuse bitmap (every image of an
// image file list) not collected yet, then those of its sub-materials.
// False, with the error reported, when an image cannot be used.
bool CollectTextures(TextureSources& sources, const HostMaterial& material);

// The size a texture is encoded at: 8 up to 8, else the next power of two;
// nothing above 1024.
std::optional<uint16_t> RoundedTextureSize(int size);

// Adds the image at path (file_name as the user gave it) unless it cannot
// be used, in which case the error is reported. load gives the host's
// bitmap and is asked only for a file that exists.
bool AddTextureImage(ExportScene& scene, Diagnostics& diagnostics, const std::string& material_name,
                     const std::string& file_name, const std::string& path,
                     const std::function<std::unique_ptr<HostBitmap>()>& load);

// The index of the texture with this path, or -1.
int FindTexture(const ExportScene& scene, const std::string& path);

}  // namespace korvo
