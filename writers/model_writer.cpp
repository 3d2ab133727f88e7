#include "writers/box_test_section.h"
#include "writers/color_list_compression.h"
#include "writers/file_writers.h"
#include "writers/material_section.h"
#include "writers/matrix_palette.h"
#include "writers/model_info_section.h"
#include "writers/model_state.h"
#include "writers/node_section.h"
#include "writers/polygon_section.h"
#include "writers/text_writer.h"
#include "writers/texture_section.h"
#include "writers/vertex_list_section.h"

namespace korvo {

namespace {

// Rewrites the polygons into what the sections write: every step here
// changes face indices or builds lists that later sections refer to.
void PrepareModel(ExportScene& scene, ModelState& state, Progress& progress) {
    // Colour indices are renumbered before anything records them.
    CompressColorLists(scene, progress);
    // The matrix palette depends on the skin weights alone; quads and strips
    // below regroup faces but keep every corner on its position.
    BuildSkinVertexLists(scene, state, progress);
    // Joining triangles into quads under triangulation "generate_quads"
    // goes here: not done yet, so the triangles stay as extracted.
    // Building triangle and quad strips under use_primitive_strip "on"
    // goes here, into the plans: not done yet, so every face is drawn on
    // its own.
    state.plans.clear();
    for (const ExportPolygon& polygon : scene.polygons) state.plans.push_back(SeparateFacesPlan(polygon));
}

}  // namespace

// The file's sections in the order the converter reads them: everything a
// later section indexes (vertex lists, textures, materials, matrices) comes
// before it.
bool WriteModelBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics, Progress& progress) {
    ExportScene& scene = input.scene;
    const ExportOptions& options = input.options;
    ModelState state;  // totals start at 0 for every file
    PrepareModel(scene, state, progress);

    WriteModelInfo(out, scene, options);
    WriteBoxTest(out, scene);
    // Before the polygons: with vertex_style "index" this also sets each
    // polygon's offsets into the model-wide lists.
    WriteVertexLists(out, scene, options.vertex_style, progress);
    // Encodes every texture; the materials then refer to images and
    // palettes by the indices given here. Two textures that name one palette
    // with different colours end the file.
    if (!WriteTextureSections(out, scene, diagnostics, progress)) return false;
    WriteMaterialSection(out, scene, diagnostics, progress);
    WriteEnvelopeSection(out, scene, state, options.force_full_weight, progress);
    WriteMatrixSection(out, scene, state, diagnostics, progress);
    // Adds the model totals and checks them against the hardware limits.
    WritePolygonSection(out, scene, state, options.vertex_style, diagnostics, progress);
    WriteNodeSection(out, scene, state, diagnostics, progress);
    WriteOutputInfo(out, state.totals);
    return true;
}

}  // namespace korvo
