#include "optimize/node_compression.h"

namespace korvo {

// Not implemented yet: the scene passes through unchanged.
void CompressNodes(ExportScene&) {}

}  // namespace korvo
