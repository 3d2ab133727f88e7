#include "pipeline/scene_settings.h"

#include <algorithm>

#include "core/log.h"

namespace korvo {

FrameRange ClampFrameRange(const ExportSettings& settings, int scene_start, int scene_end, ExportScene& scene) {
    if (!settings.frame_range) return {scene_start, scene_end};
    const int start_frame = settings.start_frame;
    const int end_frame = settings.end_frame;
    if (start_frame < scene_start || start_frame > scene_end) AddMessage(scene, "Warning: Invalid start frame.");
    if (end_frame > scene_end || end_frame < start_frame || end_frame < scene_start) {
        AddMessage(scene, "Warning: Invalid end frame.");
    }
    FrameRange range{std::max(start_frame, scene_start), std::min(end_frame, scene_end)};
    if (range.end < scene_start) range.end = scene_start;
    if (range.start > range.end) range.start = range.end;
    return range;
}

void CopySettingsIntoScene(const ExportSettings& s, ExportScene& scene) {
    scene.vertex_style = s.vertex_style;
    scene.magnify = s.magnify;
    scene.compress_node = s.compress_node;
    scene.compress_material = s.compress_material;
    scene.interpolation = s.interpolation;
    scene.interp_end_to_start = s.interp_end_to_start;
    scene.frame_step_mode = s.frame_step_mode;
    scene.tolerance_scale = s.tolerance_scale;
    scene.tolerance_rotate = s.tolerance_rotate;
    scene.tolerance_translate = s.tolerance_translate;
    scene.tolerance_tex_scale = s.tolerance_tex_scale;
    scene.tolerance_tex_rotate = s.tolerance_tex_rotate;
    scene.tolerance_tex_translate = s.tolerance_tex_translate;
    scene.tolerance_color = s.tolerance_color;
    scene.process_mode = s.process_mode;
    scene.output_imd = s.output_imd;
    scene.output_ica = s.output_ica;
    scene.output_iva = s.output_iva;
    scene.output_ima = s.output_ima;
    scene.output_ita = s.output_ita;
    scene.output_itp = s.output_itp;
    scene.output_isd = s.output_isd;
    scene.output_texture = s.output_texture;
    scene.force_full_weight = s.force_full_weight;
    scene.use_primitive_strip = s.use_primitive_strip;
    scene.force_quads = s.force_quads;
    scene.triangulation = s.triangulation;
}

}  // namespace korvo
