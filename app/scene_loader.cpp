#include "app/scene_loader.h"

#include <cctype>

#include "host/document/scene_document.h"
#include "core/paths.h"

namespace korvo {

bool IsGltfPath(const std::string& path) {
    const std::string name = FileNamePart(path);
    const auto dot = name.rfind('.');
    if (dot == std::string::npos) return false;
    std::string extension = name.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == "gltf" || extension == "glb";
}

std::unique_ptr<HostScene> LoadSceneFile(const std::string& path, const GltfOptions& gltf, std::string* error,
                                         std::vector<std::string>* warnings) {
    if (IsGltfPath(path)) return LoadGltfScene(path, gltf, error, warnings);
    return LoadSceneDocument(path, error);
}

std::string EmbeddedImageFolder(const std::string& output_folder, const std::string& output_name) {
    return JoinPath(output_folder, output_name + "_textures");
}

}  // namespace korvo
