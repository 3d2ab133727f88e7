#pragma once
// Skin weights of a skinned mesh's polygons, and the move of vertices that
// hang on one bone into that bone's space, so that the bone's matrix alone
// draws them.

#include <vector>

#include "extract/extraction.h"

namespace korvo {

// The skin of a node whose object is skinned, or nullptr.
const HostSkin* NodeSkin(const HostNode& node);

// Every vertex reports a bone count (0 or more); a skin without bones
// reports none.
bool SkinHasBones(const HostSkin& skin, int vertex_count);

// One skin entry per position of the polygon. False, after the error box
// naming the first such vertex, when a vertex has no bone, only weights of
// 0.001 or less, or weights summing below 0.999.
bool ReadSkinWeights(Extraction& extraction, const HostNode& node, const HostSkin& skin, ExportPolygon& polygon);

// Every vertex on several bones keeps only its heaviest (the first of equal
// weights), at full weight.
void ForceFullWeight(std::vector<SkinEntry>& entries);

// Positions of single-bone vertices, and the normals of every corner, from
// the mesh node's space into the space they are drawn in.
void ConvertToBoneSpace(const Extraction& extraction, const HostNode& node, const HostSkin& skin,
                        ExportPolygon& polygon);

// The whole skin step for one polygon of a mesh node: nothing for a node
// that is not skinned, a warning for a skin without bones. False stops the
// export.
bool ExtractSkin(Extraction& extraction, const HostNode& node, ExportPolygon& polygon);

}  // namespace korvo
