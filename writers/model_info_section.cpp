#include "writers/model_info_section.h"

#include "writers/attribute_words.h"

namespace korvo {

namespace {

constexpr std::array<const char*, 2> kVertexStyles{"direct", "index"};
constexpr std::array<const char*, 5> kNodeCompressions{"none", "cull", "merge", "unite", "unite_combine"};
constexpr std::array<const char*, 2> kTextureOutputs{"used", "all"};

}  // namespace

void WriteModelInfo(TextWriter& out, const ExportScene& scene, const ExportOptions& options) {
    out.Printf("\n<model_info\n");
    out.Printf("\tpos_scale=\"%d\"\n", scene.pos_scale);
    out.Printf("\tscaling_rule=\"%s\"\n", "standard");
    out.Printf("\tvertex_style=\"%s\"\n", Word(kVertexStyles, options.vertex_style));
    out.Printf("\tmagnify=\"%f\"\n", options.magnify);
    out.Printf("\ttool_start_frame=\"%d\"\n", options.frames.start);
    out.Printf("\ttex_matrix_mode=\"%s\"\n", "3dsmax");
    out.Printf("\tcompress_node=\"%s\" node_size=\"%d %d\"\n", Word(kNodeCompressions, scene.node_compression),
               scene.node_count_before_compression, static_cast<int>(scene.nodes.size()));
    out.Printf("\tcompress_material=\"%s\" material_size=\"%d %d\"\n", OnOff(scene.materials_compressed),
               scene.material_count_before_compression, static_cast<int>(scene.materials.size()));
    out.Printf("\toutput_texture=\"%s\"\n", Word(kTextureOutputs, options.output_texture));
    out.Printf("\tforce_full_weight=\"%s\"\n", OnOff(options.force_full_weight));
    out.Printf("\tuse_primitive_strip=\"%s\"\n", OnOff(options.use_primitive_strip));
    out.Printf("/>\n");
}

void WriteOutputInfo(TextWriter& out, const ModelTotals& totals) {
    out.Printf("\n<output_info vertex_size=\"%d\" polygon_size=\"%d\"\n", totals.vertices,
               totals.triangles + totals.quads);
    out.Printf("\ttriangle_size=\"%d\" quad_size=\"%d\"/>\n", totals.triangles, totals.quads);
}

}  // namespace korvo
