#include "extract/material_kinds.h"

namespace korvo {

bool IsKorvoStandard(const HostMaterial& material) { return material.GetClassId() == class_ids::kKorvoStandard; }

bool IsKorvoMorpher(const HostMaterial& material) { return material.GetClassId() == class_ids::kKorvoMorpher; }

bool IsSupportedMaterial(const HostMaterial& material) {
    const ClassId id = material.GetClassId();
    return id == class_ids::kKorvoStandard || id == class_ids::kKorvoMorpher ||
           id == class_ids::kStandardMaterial || id == class_ids::kMultiSubMaterial;
}

std::vector<const HostMaterial*> SubMaterialsInOrder(const HostMaterial& material) {
    const int count = material.SubMaterialCount();
    std::vector<int> order;
    if (IsKorvoMorpher(material) && count > 0) {
        order.push_back(count - 1);
        for (int i = 0; i + 1 < count; ++i) order.push_back(i);
    } else {
        for (int i = 0; i < count; ++i) order.push_back(i);
    }
    std::vector<const HostMaterial*> subs;
    for (int i : order) {
        if (const HostMaterial* sub = material.SubMaterial(i)) subs.push_back(sub);
    }
    return subs;
}

const HostMaterial* MorpherBase(const HostMaterial& material) {
    const int count = material.SubMaterialCount();
    return count > 0 ? material.SubMaterial(count - 1) : nullptr;
}

HostTexmap* DiffuseBitmap(const HostMaterial& material) {
    HostTexmap* map = material.DiffuseMap();
    return map && map->IsBitmap() ? map : nullptr;
}

}  // namespace korvo
