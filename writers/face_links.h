#pragma once
// Walking the faces of a strip or of a chained list of separate faces.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "core/export_scene.h"

namespace korvo {

// Calls visit(index) for first and each face its links reach, until a
// null link or the end-of-strip marker. A broken link (out of range, or a
// cycle) ends the walk instead of running away: no chain is longer than
// the list.
template <class Face, class Visit>
void ForEachLinkedFace(const std::vector<Face>& faces, int32_t first, Visit&& visit) {
    int32_t index = first;
    for (std::size_t steps = 0; steps < faces.size(); ++steps) {
        if (index < 0 || static_cast<std::size_t>(index) >= faces.size()) return;
        visit(index);
        index = faces[static_cast<std::size_t>(index)].link;
    }
}

// Whether the face starts a triangle strip or a quad strip.
inline bool StartsStrip(const NFace& face) {
    return (face.strip_word & (kTriangleStripStart | kQuadStripStart)) != 0;
}

inline int32_t StripFaceCount(const NFace& face) {
    return static_cast<int32_t>(face.strip_word & kStripFaceCountMask);
}

}  // namespace korvo
