#pragma once
// What the model file writer builds before its sections and shares between
// them: the matrix palette with its blend envelopes, and the model totals
// the limit checks read. Rebuilt at every run of the writer.

#include <cstdint>
#include <vector>

#include "core/face_plan.h"

namespace korvo {

struct ExportScene;
struct ExportPolygon;

// One distinct weight set of the model: the first skin entry carrying it.
struct ExportEnvelope {
    int32_t polygon = -1;  // index in ExportScene::polygons
    int32_t vertex = -1;   // position index in that polygon
};

// One entry of the matrix palette: a single node's matrix, or a blend.
struct ExportMatrix {
    int32_t weight_count = 1;
    int32_t node_index = -1;  // position in the node list; -1 for a blend
    int32_t envelope = -1;    // index in ModelState::envelopes; -1 for a rigid node's matrix
};

struct ModelTotals {
    int32_t vertices = 0;
    int32_t triangles = 0;
    int32_t quads = 0;
};

struct ModelState {
    std::vector<ExportEnvelope> envelopes;
    std::vector<ExportMatrix> matrices;
    // Per polygon, per position of a skinned polygon: the matrix drawing it
    // (-1 when none); filled with the palette so lookups are direct.
    std::vector<std::vector<int32_t>> vertex_matrices;
    // Per polygon: how its faces are drawn.
    std::vector<std::vector<Primitive>> plans;
    ModelTotals totals;
};

}  // namespace korvo
