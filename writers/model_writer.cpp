#include "writers/box_test_section.h"
#include "writers/file_writers.h"
#include "writers/material_section.h"
#include "writers/matrix_palette.h"
#include "writers/model_info_section.h"
#include "writers/node_section.h"
#include "writers/polygon_section.h"
#include "writers/texture_section.h"
#include "writers/vertex_list_section.h"

namespace korvo {

// The file's sections in the order the converter reads them: everything a
// later section indexes (vertex lists, textures, materials, matrices) comes
// before it.
bool WriteModelBody(TextWriter& out, const WriterInput& input, Diagnostics& diagnostics, Progress& progress) {
    const ExportScene& scene = input.scene;
    const ExportOptions& options = input.options;
    const ModelLayout& layout = input.layout;
    WriteModelInfo(out, scene, options);
    WriteBoxTest(out, scene);
    WriteVertexLists(out, scene, options.vertex_style, progress);
    // Two textures that name one palette with different colours end the file.
    if (!WriteTextureSections(out, scene, layout, diagnostics, progress)) return false;
    WriteMaterialSection(out, scene, layout, diagnostics, progress);
    WriteEnvelopeSection(out, scene, layout, options.force_full_weight, progress);
    WriteMatrixSection(out, scene, layout, diagnostics, progress);
    // Adds up the model totals and checks them against the hardware limits.
    ModelTotals totals;
    WritePolygonSection(out, scene, layout, options.vertex_style, totals, diagnostics, progress);
    WriteNodeSection(out, scene, layout, diagnostics, progress);
    WriteOutputInfo(out, totals);
    return true;
}

}  // namespace korvo
