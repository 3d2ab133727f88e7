#pragma once
// The state of one glTF file being turned into a memory scene, shared by
// the node, mesh, material and image steps.

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host/gltf/gltf_animation.h"
#include "host/gltf/gltf_scene.h"
#include "host/gltf/gltf_source.h"
#include "host/memory/memory_scene.h"

namespace korvo::gltf {

struct GltfBuild {
    const GltfSource& source;
    const GltfOptions& options;
    MemoryScene& scene;
    std::optional<AnimationCurves> animation;  // the chosen one, when the file has any

    std::vector<MemoryNode*> nodes;  // per glTF node; nullptr when outside the scene
    // Per glTF material, filled as materials are first used.
    std::vector<MemoryMaterial*> materials;
    std::vector<bool> materials_in_progress;
    std::map<int, MemoryMaterial*> multi_materials;  // per glTF mesh
    MemoryMaterial* default_material = nullptr;
    std::vector<std::string> image_files;    // per glTF image; "" until written or found
    std::set<std::string> image_file_names;  // lower case, in the image folder
    bool warned_no_image_folder = false;

    GltfBuild(const GltfSource& s, const GltfOptions& o, MemoryScene& m) : source(s), options(o), scene(m) {}

    const NodeCurves* CurvesOf(int node) const;
    double Fps() const { return options.fps; }
};

// Creates the host nodes of the scene's node tree with their transforms,
// animation, names, user properties, visibility, cameras and lights.
void BuildNodes(GltfBuild& build);
// Gives every node with a mesh its host mesh, material, skin and morpher.
void BuildMeshes(GltfBuild& build);

// The host material of a glTF material; the glTF default material for -1.
MemoryMaterial* MaterialFor(GltfBuild& build, int material, const std::string& where);
// The material of a mesh whose material ids select these glTF materials
// (-1 the default material): nullptr when none has one, the material when
// there is one, else a multi/sub-object material.
MemoryMaterial* MeshMaterial(GltfBuild& build, int mesh, const std::vector<int>& materials);

// The image file that holds glTF image index; "" when an embedded image is
// not written (no image folder).
std::string ImageFile(GltfBuild& build, int image, const std::string& where);

}  // namespace korvo::gltf
