#pragma once

#include "extract/extraction.h"

namespace korvo {

// Fills the scene's materials and textures. False stops the export.
bool ExtractMaterials(Extraction& extraction);

}  // namespace korvo
