#pragma once
// What the readers of one scene document share: the scene being built and
// the names and references that are resolved across records.

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/memory/memory_scene.h"

namespace korvo::document {

// A node named by a record, resolved once every node is read.
struct NodeReference {
    std::string path;
    std::string name;  // by name when id is 0
    int32_t id = 0;
    std::function<void(MemoryNode*)> set;
};

struct Context {
    MemoryScene& scene;
    std::map<std::string, MemoryTexmap*> texmaps_by_name;
    std::map<std::string, std::string> texmap_name_paths;
    std::map<std::string, std::vector<MemoryMaterial*>> materials_by_name;
    std::map<int32_t, std::string> node_id_paths;
    std::vector<NodeReference> node_references;
};

}  // namespace korvo::document
