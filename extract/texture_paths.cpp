#include "extract/texture_paths.h"

#include <filesystem>
#include <system_error>

#include "core/paths.h"
#include "core/export_names.h"

namespace korvo {

TextureSearch TextureSearchOf(HostScene& scene) {
    return TextureSearch{scene.ProjectFolder(), scene.FilePath(), scene.BitmapManager().MapDirectories()};
}

bool IsAbsoluteTexturePath(std::string_view name) {
    if (name.size() >= 2 && name[1] == ':') return true;
    if (name.starts_with("\\\\") || name.starts_with("//")) return true;
    return name.starts_with("/");
}

// Text is UTF-8 inside the program, whose continuation bytes never equal
// "\" or "/", so a plain byte search steps over multi-byte characters.
std::string SceneFolder(std::string_view scene_file_path) {
    const std::size_t separator = scene_file_path.find_last_of("\\/");
    if (separator == std::string_view::npos) return ".";
    return std::string(scene_file_path.substr(0, separator));
}

std::string JoinHostPath(std::string_view folder, std::string_view name) {
    std::string joined(folder);
    joined += '\\';
    joined += name;
    return joined;
}

std::string ResolveTexturePath(const TextureSearch& search, const std::string& name) {
    if (IsAbsoluteTexturePath(name)) return name;
    if (!search.project_folder.empty()) {
        std::string in_project = JoinHostPath(search.project_folder, name);
        if (TextureFileExists(in_project)) return in_project;
    }
    return JoinHostPath(SceneFolder(search.scene_file_path), name);
}

std::string FileSystemPath(std::string_view path) { return ToForwardSlashes(path); }

bool TextureFileExists(std::string_view path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(FileSystemPath(path), error);
}

bool HasExtension(std::string_view path, std::string_view extension) {
    const std::string name = FileNamePart(path);
    const std::size_t dot = name.find_last_of('.');
    return dot != std::string::npos && std::string_view(name).substr(dot + 1) == extension;
}


}  // namespace korvo
