#include "optimize/magnification.h"

namespace korvo {

// Not implemented yet: the scene passes through unchanged.
void MagnifyScene(ExportScene&) {}

}  // namespace korvo
