#pragma once

#include "core/export_scene.h"
#include "settings/export_settings.h"

namespace korvo {

// Copies the options that later stages read into the scene. The frame
// range is the clamped one.
void CopySettingsIntoScene(const ExportSettings& settings, ExportScene& scene);

struct FrameRange {
    int start = 0, end = 0;
};

// Clamps the settings' frame range into the scene's animation range (in
// frames), logging the invalid-frame warnings. Without frame_range the
// whole scene range is used.
FrameRange ClampFrameRange(const ExportSettings& settings, int scene_start, int scene_end, ExportScene& scene);

}  // namespace korvo
