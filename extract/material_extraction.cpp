#include "extract/material_extraction.h"

namespace korvo {

bool ExtractMaterials(Extraction&) {
    // Materials are not read yet: the scene has none and every mesh will use
    // the default material.
    return true;
}

}  // namespace korvo
