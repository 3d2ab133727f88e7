#pragma once
// What the extraction stages share while they read the host scene into the
// export scene.

#include <vector>

#include "core/export_scene.h"
#include "core/host/host.h"
#include "core/host/scene_wrapper.h"
#include "settings/export_settings.h"

namespace korvo {

struct Extraction {
    ExportScene& scene;
    HostScene& host_scene;
    SceneWrapper& wrapper;
    const ExportSettings& settings;
    // Mesh nodes whose skin deformation is switched off (or whose biped is in
    // its reference pose) between SwitchSkinDeformation(off) and (on).
    std::vector<HostNode*> deformation_off;
};

}  // namespace korvo
