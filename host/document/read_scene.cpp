// The document's top level: scene settings, the lists of records, and the
// node references resolved once every node is read.

#include <cstdint>
#include <limits>

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

constexpr int kMaxTicksPerFrame = 4800;  // one frame per second
constexpr int kMaxFrame = 1000000;

void CheckTimeRange(const Value& frame, int value, int ticks_per_frame) {
    const int64_t ticks = int64_t{value} * ticks_per_frame;
    if (ticks <= std::numeric_limits<int32_t>::min() || ticks > std::numeric_limits<int32_t>::max()) {
        frame.Fail("frame " + std::to_string(value) + " at " + std::to_string(ticks_per_frame) +
                   " ticks per frame is outside the host's time range");
    }
}

void ResolveNodeReferences(const Context& context) {
    const MemoryScene& scene = context.scene;
    std::map<std::string, std::vector<MemoryNode*>> by_name;
    for (std::size_t i = 1; i < scene.nodes.size(); ++i) by_name[scene.nodes[i]->name].push_back(scene.nodes[i].get());
    for (const NodeReference& reference : context.node_references) {
        MemoryNode* node = nullptr;
        if (reference.id != 0) {
            node = static_cast<MemoryNode*>(scene.NodeById(reference.id));
            if (!node) throw DocumentError{reference.path, "no node with id " + std::to_string(reference.id)};
        } else {
            const auto found = by_name.find(reference.name);
            if (found == by_name.end()) throw DocumentError{reference.path, "no node named \"" + reference.name + "\""};
            if (found->second.size() > 1) {
                throw DocumentError{reference.path, "node name \"" + reference.name + "\" is ambiguous (" +
                                                        std::to_string(found->second.size()) +
                                                        " nodes); refer to the node by its id"};
            }
            node = found->second.front();
        }
        reference.set(node);
    }
}

}  // namespace

void ReadScene(const Value& document, MemoryScene& scene) {
    ObjectReader reader(document);
    reader.Read("file_name", scene.file_name);
    reader.Read("project_folder", scene.project_folder);
    reader.Read("map_directories", scene.bitmap_manager.map_directories);
    reader.Read("ticks_per_frame", scene.ticks_per_frame, 1, kMaxTicksPerFrame);
    reader.Read("start_frame", scene.start_frame, -kMaxFrame, kMaxFrame);
    reader.Read("end_frame", scene.end_frame, -kMaxFrame, kMaxFrame);
    reader.ReadWith("stored_settings",
                    [&scene](const Value& block) { scene.stored_settings = ReadStoredSettings(block); });
    reader.ReadWith("texture_maps", [](const Value& list) {
        ForEachElement(list, [](const Value& map, std::size_t) { ReadNamedTexmap(map); });
    });
    reader.ReadWith("materials", [&scene](const Value& list) {
        ForEachElement(list, [&scene](const Value& material, std::size_t) {
            scene.root_materials.push_back(&ReadMaterial(material, 0, false));
        });
    });
    reader.ReadWith("nodes", [](const Value& nodes) { ReadNodes(nodes, nullptr, 0); });
    reader.ReadWith("selection", [&scene](const Value& list) {
        scene.selection.assign(list.ArraySize(), nullptr);
        ForEachElement(list, [&scene](const Value& node, std::size_t i) {
            ReadNodeReference(node, [&scene, i](MemoryNode* picked) { scene.selection[i] = picked; });
        });
    });
    reader.Finish();

    if (scene.file_name.find_first_of("/\\") != std::string::npos) {
        document.Member("file_name").Fail("a file name without folder is expected");
    }
    const bool has_start = document.json().contains("start_frame");
    const bool has_end = document.json().contains("end_frame");
    if (has_start) CheckTimeRange(document.Member("start_frame"), scene.start_frame, scene.ticks_per_frame);
    if (has_end) CheckTimeRange(document.Member("end_frame"), scene.end_frame, scene.ticks_per_frame);
    if (scene.end_frame < scene.start_frame) {
        (has_end ? document.Member("end_frame") : document)
            .Fail("end frame " + std::to_string(scene.end_frame) + " is before start frame " +
                  std::to_string(scene.start_frame));
    }
    scene.Link();
    ResolveNodeReferences(document.context());
}

}  // namespace korvo::document
