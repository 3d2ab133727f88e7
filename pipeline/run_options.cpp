#include "pipeline/run_options.h"

#include <algorithm>

namespace korvo {

FrameRange ClampFrameRange(const ExportSettings& settings, int scene_start, int scene_end, Diagnostics& diagnostics) {
    FrameRange range{scene_start, scene_end, scene_start, 0};
    if (settings.frame_range) {
        const int start_frame = settings.start_frame;
        const int end_frame = settings.end_frame;
        if (start_frame < scene_start || start_frame > scene_end) diagnostics.Warn("Warning: Invalid start frame.");
        if (end_frame > scene_end || end_frame < start_frame || end_frame < scene_start) {
            diagnostics.Warn("Warning: Invalid end frame.");
        }
        range.start = std::max(start_frame, scene_start);
        range.end = std::min(end_frame, scene_end);
        if (range.end < scene_start) range.end = scene_start;
        if (range.start > range.end) range.start = range.end;
    }
    range.count = range.end - range.start + 1;
    return range;
}

ExportOptions MakeExportOptions(const ExportSettings& s, const FrameRange& frames) {
    const ExportOptions defaults;
    ExportOptions o;
    o.process_mode = EnumFromInt(s.process_mode, ProcessMode::IntermediateFiles, defaults.process_mode);
    o.export_selection = s.export_all == 0;
    o.outputs = {s.output_imd != 0, s.output_ica != 0, s.output_iva != 0, s.output_ima != 0,
                 s.output_ita != 0, s.output_itp != 0, s.output_isd != 0};
    o.frames = frames;
    o.magnify = s.magnify;
    o.compress_node = EnumFromInt(s.compress_node, NodeCompression::UniteCombine, defaults.compress_node);
    o.compress_material = s.compress_material != 0;
    o.vertex_style = EnumFromInt(s.vertex_style, VertexStyle::Index, defaults.vertex_style);
    o.output_texture = EnumFromInt(s.output_texture, OutputTexture::All, defaults.output_texture);
    o.force_full_weight = s.force_full_weight != 0;
    o.use_primitive_strip = s.use_primitive_strip != 0;
    o.triangulation = EnumFromInt(s.triangulation, Triangulation::AllTris, defaults.triangulation);
    o.force_quads = s.force_quads != 0;
    o.interpolation = EnumFromInt(s.interpolation, Interpolation::Linear, defaults.interpolation);
    o.interp_end_to_start = s.interp_end_to_start != 0;
    o.frame_step_mode = EnumFromInt(s.frame_step_mode, FrameStepMode::Step4, defaults.frame_step_mode);
    o.tolerances = {s.tolerance_scale,     s.tolerance_rotate,     s.tolerance_translate, s.tolerance_tex_scale,
                    s.tolerance_tex_rotate, s.tolerance_tex_translate, s.tolerance_color};
    return o;
}

}  // namespace korvo
