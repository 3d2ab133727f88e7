#pragma once
// Loading the scene a command names, by its file's extension: .gltf and
// .glb through the glTF backend, anything else as a scene document.

#include <memory>
#include <string>
#include <vector>

#include "host/gltf/gltf_scene.h"
#include "host/host.h"

namespace korvo {

bool IsGltfPath(const std::string& path);

// The scene, or nullptr with one error line in *error. gltf applies to glTF
// files only; their warnings go to *warnings.
std::unique_ptr<HostScene> LoadSceneFile(const std::string& path, const GltfOptions& gltf, std::string* error,
                                         std::vector<std::string>* warnings);

// The folder beside the output model file that takes the images a glTF
// file embeds: "<output folder>/<output name>_textures".
std::string EmbeddedImageFolder(const std::string& output_folder, const std::string& output_name);

}  // namespace korvo
