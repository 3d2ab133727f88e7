#pragma once
// Selection exports: nodes hanging from host nodes that are not exported.

#include "extract/extraction.h"

namespace korvo {

// A node none of whose host ancestors is exported was sampled relative to
// its host parent, which the files do not have: its samples are turned
// into world transforms. The static transform stays as it is.
void ReexpressUnanchoredNodes(Extraction& extraction);

}  // namespace korvo
