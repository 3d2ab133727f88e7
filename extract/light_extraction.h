#pragma once

#include "extract/extraction.h"

namespace korvo {

// Gathers the directional lights that are switched on, and the first camera
// of the scene, for the scene data file.
void ExtractLightsAndCamera(Extraction& extraction);

}  // namespace korvo
