#include "extract/skin_deformation.h"

namespace korvo {

HostModifier* FindSkinModifier(const HostNode& node) {
    for (HostModifier* modifier : node.Modifiers()) {
        if (modifier->GetClassId() == class_ids::kSkin && modifier->Skin()) return modifier;
    }
    return nullptr;
}

void SwitchSkinDeformation(Extraction& extraction, bool on) {
    if (!on) {
        extraction.deformation_off.clear();
        for (HostNode* node : extraction.wrapper.NodesOfType(ObjectType::Mesh)) {
            HostModifier* skin = FindSkinModifier(*node);
            if (skin && skin->Enabled()) {
                extraction.deformation_off.push_back(node);
                skin->SetEnabled(false);
            } else if (node->IsBiped()) {
                extraction.deformation_off.push_back(node);
                node->SetBipedReferencePose(true);
            }
        }
        return;
    }
    for (HostNode* node : extraction.deformation_off) {
        if (HostModifier* skin = FindSkinModifier(*node)) {
            skin->SetEnabled(true);
        } else {
            node->SetBipedReferencePose(false);
        }
    }
}

}  // namespace korvo
