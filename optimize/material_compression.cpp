#include "optimize/material_compression.h"

namespace korvo {

// Not implemented yet: the scene passes through unchanged.
void CompressMaterials(ExportScene&) {}

void RemoveUnusedTextures(ExportScene&) {}

}  // namespace korvo
