#pragma once
// The options of one export run, as every stage after the settings reads
// them: built once per run from the repaired settings and never changed
// afterwards. Enumerated options are typed; their enumerators keep the
// order of their words in the settings file.

#include <cstdint>

namespace korvo {

enum class ProcessMode { MaterialEditor = 0, IntermediateFiles = 1 };
enum class NodeCompression { None, Cull, Merge, Unite, UniteCombine };
enum class VertexStyle { Direct, Index };
enum class OutputTexture { Used, All };
enum class Triangulation { AsIs, AsIsChecking, GenerateQuads, AllTris };
enum class Interpolation { Frame, Linear };
enum class FrameStepMode { Auto, Step1, Step2, Step4 };

// The exported frames, clamped into the host scene's animation range.
struct FrameRange {
    int32_t start = 0;
    int32_t end = 0;
    int32_t scene_start = 0;  // the host scene's animation start
    int32_t count = 1;        // end - start + 1
};

// How far a sampled value may drift before a key is needed.
struct Tolerances {
    float scale = 0.1f, rotate = 0.1f, translate = 0.01f;
    float tex_scale = 0.1f, tex_rotate = 0.1f, tex_translate = 0.01f;
    int32_t color = 2;
};

// Which files the run writes.
struct OutputSelection {
    bool imd = true, ica = false, iva = false, ima = false, ita = false, itp = false;
    bool isd = false;  // scene data: camera and directional lights
};

struct ExportOptions {
    ProcessMode process_mode = ProcessMode::IntermediateFiles;
    bool export_selection = false;  // the selected nodes (and their skins' bones) instead of all
    OutputSelection outputs;
    FrameRange frames;
    float magnify = 1.0f;
    NodeCompression compress_node = NodeCompression::None;
    bool compress_material = false;
    VertexStyle vertex_style = VertexStyle::Direct;
    OutputTexture output_texture = OutputTexture::Used;
    bool force_full_weight = false;
    bool use_primitive_strip = true;
    Triangulation triangulation = Triangulation::AsIs;
    bool force_quads = true;
    Interpolation interpolation = Interpolation::Frame;
    bool interp_end_to_start = false;
    FrameStepMode frame_step_mode = FrameStepMode::Step1;
    Tolerances tolerances;
};

// The enumerator numbered value, or fallback when no enumerator from 0 to
// last has that number.
template <class Enum>
constexpr Enum EnumFromInt(int32_t value, Enum last, Enum fallback) {
    return value >= 0 && value <= static_cast<int32_t>(last) ? static_cast<Enum>(value) : fallback;
}

}  // namespace korvo
