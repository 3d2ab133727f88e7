#pragma once
// The options this exporter accepts but cannot carry out yet.

#include "core/diagnostics.h"
#include "settings/export_settings.h"

namespace korvo {

// At the start of a run: one warning line for each requested option that
// is not available yet, naming it with its value and saying what is not
// done. An output file whose writer would write only an empty frame is
// switched off in run instead of being written. When a feature lands, its
// line here goes.
void ReportUnavailableOptions(ExportSettings& run, Diagnostics& diagnostics);

}  // namespace korvo
