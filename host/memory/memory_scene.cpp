#include "host/memory/memory_scene.h"

#include <set>

namespace korvo {

MemoryScene::MemoryScene() {
    auto root = std::make_unique<MemoryNode>();
    root->name = "Scene Root";
    root->kind = ObjectKind::None;
    nodes.push_back(std::move(root));
}

MemoryNode& MemoryScene::AddNode(MemoryNode* parent, const std::string& name) {
    auto node = std::make_unique<MemoryNode>();
    node->name = name;
    node->parent = parent ? parent : nodes.front().get();
    node->parent->children.push_back(node.get());
    node->scene = this;
    nodes.push_back(std::move(node));
    return *nodes.back();
}

MemoryMaterial& MemoryScene::AddMaterial(const std::string& name, const std::string& class_name) {
    auto material = std::make_unique<MemoryMaterial>();
    material->name = name;
    material->class_name = class_name;
    material->scene = this;
    materials.push_back(std::move(material));
    return *materials.back();
}

MemoryTexmap& MemoryScene::AddTexmap(const std::string& name, const std::string& class_name) {
    auto texmap = std::make_unique<MemoryTexmap>();
    texmap->name = name;
    texmap->class_name = class_name;
    texmap->scene = this;
    texmaps.push_back(std::move(texmap));
    return *texmaps.back();
}

void MemoryScene::Link() {
    std::set<int32_t> used;
    for (const auto& node : nodes) {
        if (node->id != 0) used.insert(node->id);
    }
    int32_t next_id = 1;
    by_id_.clear();
    for (const auto& node : nodes) {
        if (node->id == 0 && node.get() != nodes.front().get()) {
            while (used.count(next_id)) ++next_id;
            node->id = next_id++;
        }
        by_id_.emplace(node->id, node.get());
        node->scene = this;
        if (node->mesh) node->mesh->Build();
        for (const auto& modifier : node->modifiers) {
            modifier->scene = this;
            if (modifier->skin) {
                modifier->skin->scene = this;
                modifier->skin->node = node.get();
            }
            if (modifier->morpher) modifier->morpher->scene = this;
        }
        if (node->light) node->light->scene = this;
        if (node->camera) node->camera->scene = this;
    }
    for (const auto& material : materials) material->scene = this;
    for (const auto& texmap : texmaps) texmap->scene = this;
}

HostNode* MemoryScene::NodeById(int32_t id) const {
    const auto found = by_id_.find(id);
    return found == by_id_.end() ? nullptr : found->second;
}

void MemoryScene::SetSelection(const std::vector<HostNode*>& picked) {
    selection.clear();
    for (HostNode* node : picked) {
        for (const auto& owned : nodes) {
            if (owned.get() == node) selection.push_back(owned.get());
        }
    }
}

double SceneFrame(const MemoryScene* scene, TimeValue t) {
    return FrameAt(t, scene ? scene->ticks_per_frame : kDefaultTicksPerFrame);
}

TimeValue SceneStart(const MemoryScene* scene) { return scene ? scene->AnimationStart() : 0; }

}  // namespace korvo
