#pragma once
// A texture map of the memory scene.

#include <string>

#include "host/host.h"
#include "host/memory/track.h"

namespace korvo {

class MemoryScene;

class MemoryTexmap : public HostTexmap {
public:
    std::string name;
    // "bitmap" for the host's Bitmap texture, else any class name.
    std::string class_name = "bitmap";
    bool supported_by_game_export = true;
    std::string file_name;  // bitmaps only
    int tiling_flags = UvGenerator::kURepeat | UvGenerator::kVRepeat;
    Track<float> u_offset = Track<float>::Constant(0.0f);
    Track<float> v_offset = Track<float>::Constant(0.0f);
    Track<float> u_tiling = Track<float>::Constant(1.0f);
    Track<float> v_tiling = Track<float>::Constant(1.0f);
    Track<float> w_angle = Track<float>::Constant(0.0f);  // radians
    MemoryScene* scene = nullptr;

    std::string Name() const override { return name; }
    ClassId GetClassId() const override;
    bool SupportedByGameExport() const override { return supported_by_game_export; }
    std::string BitmapFileName() const override { return IsBitmap() ? file_name : std::string(); }
    // Loaded through the scene's bitmap manager, from the file the host
    // would find: the name when absolute, else in the project folder, the
    // scene's folder or a map directory.
    std::unique_ptr<HostBitmap> Bitmap(TimeValue t) const override;
    UvGenerator Generator() const override { return UvGenerator{tiling_flags}; }
    float UOffset(TimeValue t) const override;
    float VOffset(TimeValue t) const override;
    float UTiling(TimeValue t) const override;
    float VTiling(TimeValue t) const override;
    float WAngle(TimeValue t) const override;
};

}  // namespace korvo
