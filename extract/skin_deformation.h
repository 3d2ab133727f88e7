#pragma once

#include "extract/extraction.h"

namespace korvo {

// Off: disables every enabled Skin modifier of the wrapper's mesh nodes and
// puts bipeds into their reference pose, so meshes and bones are read
// undeformed. On: undoes exactly what Off did.
void SwitchSkinDeformation(Extraction& extraction, bool on);

// The node's enabled-or-not Skin modifier, or nullptr.
HostModifier* FindSkinModifier(const HostNode& node);

}  // namespace korvo
