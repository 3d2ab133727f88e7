#include "host/gltf/gltf_scene.h"

#include <cmath>
#include <filesystem>
#include <new>

#include "host/gltf/gltf_build.h"
#include "core/paths.h"

namespace korvo {

namespace {

// The host counts 4800 ticks a second.
constexpr double kTicksPerSecond = 4800.0;

bool ValidFps(double fps) { return fps >= 1.0 && fps <= kTicksPerSecond; }

std::string FpsError(const std::string& path) { return path + ": the frame rate must be between 1 and 4800"; }

}  // namespace

std::unique_ptr<MemoryScene> LoadGltfScene(const std::string& path, const GltfOptions& options, std::string* error,
                                           std::vector<std::string>* warnings) {
    if (!ValidFps(options.fps)) {
        if (error) *error = FpsError(path);
        return nullptr;
    }
    try {
        gltf::GltfSource source;
        source.warnings = warnings;
        gltf::LoadGltfSource(path, source);

        auto scene = std::make_unique<MemoryScene>();
        scene->file_name = FileNamePart(path);
        std::error_code ignored;
        scene->file_path = std::filesystem::absolute(path, ignored).lexically_normal().string();
        scene->ticks_per_frame = std::max(1, static_cast<int>(std::lround(kTicksPerSecond / options.fps)));

        gltf::GltfBuild build(source, options, *scene);
        const int chosen = gltf::ChooseAnimation(source, options.animation);
        if (chosen >= 0) build.animation = gltf::ReadAnimation(source, chosen, options.fps);
        const gltf::FrameSpan frames = build.animation ? build.animation->frames : gltf::FrameSpan{};
        scene->start_frame = frames.start;
        scene->end_frame = frames.end;

        gltf::BuildNodes(build);
        gltf::BuildMeshes(build);
        scene->Link();
        return scene;
    } catch (const gltf::GltfError& e) {
        if (error) *error = e.what();
    } catch (const std::bad_alloc&) {
        if (error) *error = path + ": not enough memory to read the file";
    }
    return nullptr;
}

std::vector<GltfAnimationInfo> ListGltfAnimations(const std::string& path, double fps, std::string* error) {
    if (!ValidFps(fps)) {
        if (error) *error = FpsError(path);
        return {};
    }
    try {
        gltf::GltfSource source;
        gltf::LoadGltfSource(path, source);
        return gltf::AnimationInfos(source, fps);
    } catch (const gltf::GltfError& e) {
        if (error) *error = e.what();
    } catch (const std::bad_alloc&) {
        if (error) *error = path + ": not enough memory to read the file";
    }
    return {};
}

}  // namespace korvo
