#include "writers/file_writers.h"

namespace korvo {

// Not written yet: the file holds its frame alone.
bool WriteTextureSrtAnimationBody(TextWriter& /*out*/, const WriterInput& /*input*/, Diagnostics& /*diagnostics*/,
                                  Progress& /*progress*/) {
    return true;
}

}  // namespace korvo
