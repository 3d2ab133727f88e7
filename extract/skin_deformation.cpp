#include "extract/skin_deformation.h"

namespace korvo {

HostModifier* FindSkinModifier(const HostNode& node) {
    for (HostModifier* modifier : node.Modifiers()) {
        if (modifier->GetClassId() == class_ids::kSkin && modifier->Skin()) return modifier;
    }
    return nullptr;
}

namespace {

// The first switch off finds what to change; animation sampling switches
// on and off again around every node, and finds the same set, since only
// the exporter changed it in between.
void FindDeformation(Extraction& extraction) {
    extraction.deformation_off.clear();
    for (HostNode* node : extraction.wrapper.NodesOfType(ObjectType::Mesh)) {
        HostModifier* skin = FindSkinModifier(*node);
        if (skin && skin->Enabled()) {
            extraction.deformation_off.push_back({node, skin});
        } else if (node->IsBiped()) {
            extraction.deformation_off.push_back({node, nullptr});
        }
    }
    extraction.deformation_scanned = true;
}

}  // namespace

void SwitchSkinDeformation(Extraction& extraction, bool on) {
    if (!on && !extraction.deformation_scanned) FindDeformation(extraction);
    for (const Extraction::DeformationSwitch& change : extraction.deformation_off) {
        if (change.skin) {
            change.skin->SetEnabled(on);
        } else {
            change.node->SetBipedReferencePose(!on);
        }
    }
}

}  // namespace korvo
