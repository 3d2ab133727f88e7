#include "core/host/memory/memory_texmap.h"

#include "core/host/memory/memory_scene.h"
#include "core/host/memory/named_class_id.h"

namespace korvo {

ClassId MemoryTexmap::GetClassId() const {
    return class_name == "bitmap" ? class_ids::kBitmapTexture : NamedClassId(class_name);
}

std::unique_ptr<HostBitmap> MemoryTexmap::Bitmap(TimeValue /*t*/) const {
    if (!IsBitmap() || file_name.empty() || scene == nullptr) return nullptr;
    return scene->bitmap_manager.Load(file_name);
}

float MemoryTexmap::UOffset(TimeValue t) const { return u_offset.At(SceneFrame(scene, t)); }
float MemoryTexmap::VOffset(TimeValue t) const { return v_offset.At(SceneFrame(scene, t)); }
float MemoryTexmap::UTiling(TimeValue t) const { return u_tiling.At(SceneFrame(scene, t)); }
float MemoryTexmap::VTiling(TimeValue t) const { return v_tiling.At(SceneFrame(scene, t)); }
float MemoryTexmap::WAngle(TimeValue t) const { return w_angle.At(SceneFrame(scene, t)); }

}  // namespace korvo
