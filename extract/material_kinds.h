#pragma once
// Which host materials the exporter takes, and how it walks them.

#include <vector>

#include "host/host.h"

namespace korvo {

bool IsKorvoStandard(const HostMaterial& material);
bool IsKorvoMorpher(const HostMaterial& material);
// KORVO Standard, KORVO Morpher, the host's Standard and Multi/Sub-Object.
bool IsSupportedMaterial(const HostMaterial& material);

// The sub-materials in the order the exporter visits them. A KORVO
// Morpher's base material is its last sub-material and comes first:
// n-1, 0, 1, ..., n-2. Absent slots are left out.
std::vector<const HostMaterial*> SubMaterialsInOrder(const HostMaterial& material);

// A KORVO Morpher's base material (its last sub-material), or nullptr.
const HostMaterial* MorpherBase(const HostMaterial& material);

// The diffuse map when it is the host's Bitmap texture, else nullptr.
HostTexmap* DiffuseBitmap(const HostMaterial& material);

}  // namespace korvo
