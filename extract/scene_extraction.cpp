#include "extract/scene_extraction.h"

#include "extract/mesh_extraction.h"
#include "extract/node_extraction.h"
#include "extract/node_filter.h"
#include "extract/node_order.h"
#include "extract/unanchored_nodes.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "Exporting Nodes";

// Fills the node array from the wrapper's top-level nodes down; false when
// a node cannot be extracted.
bool ExtractNodes(Extraction& extraction) {
    ExportScene& scene = extraction.scene;
    scene.nodes.assign(static_cast<std::size_t>(extraction.wrapper.TotalNodeCount()), ExportNode{});
    NodeWalk walk{extraction, {}, {}};
    int index = 0;
    int previous = -1;
    for (const HostNode* node : extraction.wrapper.TopLevelNodes()) {
        extraction.progress.Advance(extraction.node_progress_step, kProgressText);
        if (!PassesNodeFilter(extraction.wrapper, *node)) continue;
        BeginNodeRecord(walk, *node, index);
        if (previous != -1) LinkBrothers(scene.nodes, previous, index);
        previous = index;
        if (!ExtractNode(walk, *node, index)) return false;
        index += 1;
    }
    scene.nodes.resize(static_cast<std::size_t>(index));
    return true;
}

}  // namespace

bool ExtractScene(Extraction& extraction) {
    ExportScene& scene = extraction.scene;
    const SceneWrapper& wrapper = extraction.wrapper;
    // Polygon building advances twice per mesh node, the walk once per
    // top-level node.
    const std::size_t mesh_nodes = wrapper.NodesOfType(ObjectType::Mesh).size();
    const int items = static_cast<int>(wrapper.TopLevelNodes().size() + 2 * mesh_nodes);
    extraction.node_progress_step = extraction.progress.StepSize(items);

    if (!BuildPolygons(extraction)) return false;
    if (!ExtractNodes(extraction)) return false;
    if (scene.nodes.empty()) {
        extraction.diagnostics.Error("No effective node", "Node Export Error");
        return false;
    }
    OrderNodes(scene.nodes);
    if (extraction.options.export_selection) ReexpressUnanchoredNodes(extraction);
    extraction.progress.FinishStep(kProgressText);
    return true;
}

}  // namespace korvo
