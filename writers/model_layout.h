#pragma once
// What the model file's sections share, laid out once before any writer
// runs: the textures in their hardware formats with their palettes, each
// material's texture image, the matrix palette with its blend envelopes,
// and per polygon its offsets into the model-wide vertex lists, the matrix
// of each of its positions and the plan of its faces. The writers read it
// beside the records and change neither, so a file can be written again
// and comes out the same.

#include <cstdint>
#include <string>
#include <vector>

#include "core/export_scene.h"
#include "core/face_plan.h"
#include "core/progress.h"
#include "texture/encoded_texture.h"

namespace korvo {

// One distinct weight set of the model: the first skin entry carrying it.
struct ExportEnvelope {
    int32_t polygon = -1;  // index in ExportScene::polygons
    int32_t vertex = -1;   // position index in that polygon
};

// One entry of the matrix palette: a single node's matrix, or a blend.
struct ExportMatrix {
    int32_t weight_count = 1;
    int32_t node_index = -1;  // position in the node list; -1 for a blend
    int32_t envelope = -1;    // index in ModelLayout::envelopes; -1 for a rigid node's matrix
};

struct TextureLayout {
    EncodedTexture encoded;
    std::string palette_name;     // as tex_palette_array names it; empty for a direct texture
    bool shares_palette = false;  // an earlier texture's palette of the same name
    int32_t palette_index = -1;   // in tex_palette_array; -1 for a direct texture
};

struct PolygonLayout {
    int32_t position_base = 0;  // offsets into the model-wide lists of vertex_style "index"
    int32_t color_base = 0;
    // Positions in the matrix palette: one per position of a skinned
    // polygon, the one of its node for a rigid polygon.
    std::vector<int32_t> matrix_list;
    std::vector<int32_t> position_matrices;  // per position: the matrix drawing it; -1 for none
    std::vector<Primitive> plan;             // how the faces are drawn
};

struct ModelLayout {
    std::vector<TextureLayout> textures;  // parallel to ExportScene::textures
    std::vector<int32_t> palettes;        // tex_palette_array: the texture whose palette each entry is
    // A palette name that two textures give different colours: the model
    // file cannot be written (its texture section reports it).
    std::string palette_conflict;
    std::vector<int32_t> material_images;  // per material: its texture image, -1 without a texture
    std::vector<ExportEnvelope> envelopes;
    std::vector<ExportMatrix> matrices;
    std::vector<PolygonLayout> polygons;  // parallel to ExportScene::polygons
};

// Lays out the model of the scene's records as they stand after
// optimisation.
ModelLayout LayOutModel(const ExportScene& scene, Progress& progress);

}  // namespace korvo
