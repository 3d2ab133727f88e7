#pragma once
// The options of one run, built once from the settings.

#include "core/export_options.h"
#include "core/diagnostics.h"
#include "settings/export_settings.h"

namespace korvo {

// Clamps the settings' frame range into the host scene's animation range
// (in frames), logging the invalid-frame warnings. Without frame_range the
// whole scene range is used.
FrameRange ClampFrameRange(const ExportSettings& settings, int scene_start, int scene_end, Diagnostics& diagnostics);

// The run's options from the (repaired) settings and the clamped frames.
// A value that names no choice of its option is taken as the option's
// default.
ExportOptions MakeExportOptions(const ExportSettings& settings, const FrameRange& frames);

}  // namespace korvo
