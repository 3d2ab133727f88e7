#pragma once

#include "extract/extraction.h"

namespace korvo {

// Fills the scene's polygons (meshes with their skins) and nodes (with
// their transform and visibility samples). False stops the export.
bool ExtractScene(Extraction& extraction);

}  // namespace korvo
