#pragma once
// What the extraction stages share while they read the host scene into the
// export scene.

#include <vector>

#include "core/export_scene.h"
#include "core/progress.h"
#include "host/host.h"
#include "host/scene_wrapper.h"
#include "core/diagnostics.h"
#include "core/export_options.h"

namespace korvo {

struct Extraction {
    Extraction(ExportScene& scene_, HostScene& host_scene_, SceneWrapper& wrapper_, const ExportOptions& options_,
               Diagnostics& diagnostics_, Progress& progress_)
        : scene(scene_),
          host_scene(host_scene_),
          wrapper(wrapper_),
          options(options_),
          diagnostics(diagnostics_),
          progress(progress_) {}

    ExportScene& scene;
    HostScene& host_scene;
    SceneWrapper& wrapper;
    const ExportOptions& options;
    Diagnostics& diagnostics;
    Progress& progress;
    // What SwitchSkinDeformation(off) changed, so that (on) undoes exactly
    // that: a Skin modifier it disabled, or (skin nullptr) a biped it put
    // into its reference pose. Found on the first switch off, reused after.
    struct DeformationSwitch {
        HostNode* node = nullptr;
        HostModifier* skin = nullptr;
    };
    std::vector<DeformationSwitch> deformation_off;
    bool deformation_scanned = false;
    // The host material of each ExportMaterial, in the same order (nullptr
    // for the default material).
    std::vector<const HostMaterial*> material_sources;
    // The progress share of one "Exporting Nodes" item: scene extraction
    // splits its step, mesh extraction advances once per mesh node and pass.
    float node_progress_step = 0.0f;
};

}  // namespace korvo
