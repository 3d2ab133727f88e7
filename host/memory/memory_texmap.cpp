#include "host/memory/memory_texmap.h"

#include <filesystem>
#include <system_error>

#include "host/memory/memory_scene.h"
#include "host/memory/named_class_id.h"
#include "core/paths.h"

namespace korvo {

namespace {

bool IsFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// Where the host finds a bitmap's file: the name itself when absolute, then
// the project folder, the scene's folder and the map directories.
std::string FindBitmapFile(const MemoryScene& scene, const std::string& file_name) {
    const std::string name = ToForwardSlashes(file_name);
    std::vector<std::string> candidates;
    if (name.starts_with('/')) candidates.push_back(name);
    if (!scene.project_folder.empty()) candidates.push_back(JoinPath(ToForwardSlashes(scene.project_folder), name));
    candidates.push_back(JoinPath(FolderPart(ToForwardSlashes(scene.file_path)), name));
    for (const std::string& folder : scene.bitmap_manager.map_directories) {
        candidates.push_back(JoinPath(ToForwardSlashes(folder), FileNamePart(name)));
    }
    for (const std::string& candidate : candidates) {
        if (IsFile(candidate)) return candidate;
    }
    return name;
}

}  // namespace

ClassId MemoryTexmap::GetClassId() const {
    return class_name == "bitmap" ? class_ids::kBitmapTexture : NamedClassId(class_name);
}

std::unique_ptr<HostBitmap> MemoryTexmap::Bitmap(TimeValue /*t*/) const {
    if (!IsBitmap() || file_name.empty() || scene == nullptr) return nullptr;
    return scene->bitmap_manager.Load(FindBitmapFile(*scene, file_name));
}

float MemoryTexmap::UOffset(TimeValue t) const { return u_offset.At(SceneFrame(scene, t)); }
float MemoryTexmap::VOffset(TimeValue t) const { return v_offset.At(SceneFrame(scene, t)); }
float MemoryTexmap::UTiling(TimeValue t) const { return u_tiling.At(SceneFrame(scene, t)); }
float MemoryTexmap::VTiling(TimeValue t) const { return v_tiling.At(SceneFrame(scene, t)); }
float MemoryTexmap::WAngle(TimeValue t) const { return w_angle.At(SceneFrame(scene, t)); }

}  // namespace korvo
