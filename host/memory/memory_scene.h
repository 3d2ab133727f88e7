#pragma once
// A host scene held in memory: the backend that a scene document is read
// into, and that tests can also build directly.
//
// The scene owns every node, material and texture map in flat lists; the
// records link each other with plain pointers. After building or changing
// records, Link() sets the back links and ids and derives the meshes'
// triangles.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "host/host.h"
#include "host/memory/memory_bitmap_manager.h"
#include "host/memory/memory_material.h"
#include "host/memory/memory_node.h"
#include "host/memory/memory_texmap.h"

namespace korvo {

class MemoryScene : public HostScene {
public:
    std::string file_name;
    std::string file_path;
    std::string project_folder;
    int ticks_per_frame = kDefaultTicksPerFrame;
    int start_frame = 0;
    int end_frame = 100;
    // nodes[0] is the scene root (id 0); the others in the order added.
    std::vector<std::unique_ptr<MemoryNode>> nodes;
    std::vector<std::unique_ptr<MemoryMaterial>> materials;
    std::vector<MemoryMaterial*> root_materials;
    std::vector<std::unique_ptr<MemoryTexmap>> texmaps;
    std::vector<MemoryNode*> selection;
    std::optional<std::vector<uint8_t>> stored_settings;
    MemoryBitmapManager bitmap_manager;

    MemoryScene();
    MemoryScene(const MemoryScene&) = delete;
    MemoryScene& operator=(const MemoryScene&) = delete;

    MemoryNode& root() const { return *nodes.front(); }
    // A new node under parent (the root when null), last among its siblings.
    MemoryNode& AddNode(MemoryNode* parent, const std::string& name);
    MemoryMaterial& AddMaterial(const std::string& name, const std::string& class_name);
    MemoryTexmap& AddTexmap(const std::string& name, const std::string& class_name);

    // Sets every record's scene link, the skins' node links, ids for nodes
    // without one (id 0: the smallest unused positive ids, in node order),
    // and rebuilds the meshes' triangles.
    void Link();

    std::string FileName() const override { return file_name; }
    std::string FilePath() const override { return file_path; }
    std::string ProjectFolder() const override { return project_folder; }
    int TicksPerFrame() const override { return ticks_per_frame; }
    TimeValue AnimationStart() const override { return start_frame * ticks_per_frame; }
    TimeValue AnimationEnd() const override { return end_frame * ticks_per_frame; }
    HostNode* Root() const override { return nodes.front().get(); }
    HostNode* NodeById(int32_t id) const override;
    std::vector<HostNode*> SelectedNodes() const override { return {selection.begin(), selection.end()}; }
    void SetSelection(const std::vector<HostNode*>& picked) override;
    std::vector<HostMaterial*> RootMaterials() const override { return {root_materials.begin(), root_materials.end()}; }
    HostBitmapManager& BitmapManager() override { return bitmap_manager; }
    std::optional<std::vector<uint8_t>> StoredSettings() const override { return stored_settings; }
    void SetStoredSettings(std::vector<uint8_t> block) override { stored_settings = std::move(block); }

private:
    std::unordered_map<int32_t, MemoryNode*> by_id_;
};

// Host time as a frame of the scene (the default ticks per frame without one).
double SceneFrame(const MemoryScene* scene, TimeValue t);
// The start of the scene's animation range (0 without a scene).
TimeValue SceneStart(const MemoryScene* scene);

}  // namespace korvo
