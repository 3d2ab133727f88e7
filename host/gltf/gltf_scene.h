#pragma once
// Reading a glTF 2.0 file (.gltf or .glb) into the in-memory host scene
// (see docs/gltf.md for how each glTF feature maps to the host).

#include <memory>
#include <string>
#include <vector>

#include "host/memory/memory_scene.h"

namespace korvo {

inline constexpr double kDefaultGltfFps = 30.0;

struct GltfOptions {
    // The animation whose node animation is read: its name, or its index
    // as decimal digits. Empty: the first animation.
    std::string animation;
    // Frames per second at which the animation is sampled.
    double fps = kDefaultGltfFps;
    // Where images embedded in the file are written as image files. Empty:
    // embedded images are not written and their maps have no file.
    std::string image_folder;
};

struct GltfAnimationInfo {
    int index = 0;
    std::string name;                         // the file's name, or "animation_<index>"
    double start_time = 0.0, end_time = 0.0;  // seconds
    int start_frame = 0, end_frame = 0;       // whole frames at the fps asked for
};

// The default scene of the file (scene 0 when it names none) as a host
// scene, or nullptr with one error line in *error that names the file.
// Warnings (parts of the file that cannot be held) go to *warnings.
std::unique_ptr<MemoryScene> LoadGltfScene(const std::string& path, const GltfOptions& options, std::string* error,
                                           std::vector<std::string>* warnings = nullptr);

// The file's animations in file order, with their frame ranges at fps; empty
// with *error set when the file cannot be read.
std::vector<GltfAnimationInfo> ListGltfAnimations(const std::string& path, double fps, std::string* error);

}  // namespace korvo
