#pragma once
// The export scene: the one in-memory picture of the scene for one export
// run. Extraction fills it, the optimisation passes rewrite it in place, the
// writers read it.
//
// Records refer to each other by node id or by name, never by address; an
// absent link is -1. Nothing here knows the host.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/progress.h"

namespace korvo {

struct Vec3 {
    float x = 0.0f, y = 0.0f, z = 0.0f;
    friend bool operator==(const Vec3&, const Vec3&) = default;
};

struct Vec2 {
    float s = 0.0f, t = 0.0f;
    friend bool operator==(const Vec2&, const Vec2&) = default;
};

using Matrix4 = std::array<std::array<float, 4>, 4>;

// ------------------------------------------------------------------ faces

// Face links are indices into the polygon's list of the face's own kind.
inline constexpr int32_t kNoLink = -1;     // not part of a strip or chained list
inline constexpr int32_t kStripEnd = -2;   // the last face of a strip

// Bits of a face's strip word.
inline constexpr uint32_t kStripFaceCountMask = 0xFFFFu;  // faces in the strip, on its first face
inline constexpr uint32_t kFaceAssigned = 1u << 28;       // placed in a matrix group
inline constexpr uint32_t kFaceQuad = 1u << 29;
inline constexpr uint32_t kTriangleStripStart = 1u << 30;
inline constexpr uint32_t kQuadStripStart = 1u << 31;

// Shared part of triangles and quads.
struct NFace {
    Vec3 face_vector;         // normalised face normal
    int32_t link = kNoLink;   // next face of a strip or list
    uint32_t strip_word = 0;  // quad building and strip bits
};

template <std::size_t N>
struct NCornerFace : NFace {
    static constexpr std::size_t kCorners = N;
    std::array<uint16_t, N> position{};
    std::array<uint16_t, N> color{};
    std::array<uint16_t, N> tex{};
    std::array<uint16_t, N> normal{};
};

using NTriFace = NCornerFace<3>;
using NQuadFace = NCornerFace<4>;

// Bits used while quads are rebuilt from triangle pairs.
inline constexpr uint32_t kTriangleUsedByQuad = 1u << 31;
inline constexpr uint32_t kQuadValid = kFaceQuad;

// ------------------------------------------------------------------ polygons

struct VertexColor {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const VertexColor&, const VertexColor&) = default;
};

// The bones one vertex hangs on.
struct SkinEntry {
    std::vector<float> weights;
    std::vector<int32_t> nodes;  // node ids
    std::vector<int32_t> slots;  // index in the host's bone list of the vertex
    int32_t count = 0;
    int32_t last_slot = -1;
};

inline constexpr uint32_t kPolygonRemoved = 1u << 0;
inline constexpr int kMorphChannelCount = 100;

struct ExportPolygon {
    std::vector<Vec3> positions;
    std::vector<NTriFace> triangles;
    std::vector<NQuadFace> quads;
    std::vector<VertexColor> colors;  // empty when the mesh has none
    std::vector<Vec2> tex_coords;      // empty when none
    std::vector<Vec3> normals;
    std::vector<Vec3> unscaled_positions;  // positions before position scaling
    std::vector<SkinEntry> skin;       // one per position when skinned, else empty
    uint32_t flags = 0;
    Vec3 volume_min, volume_max;
    float volume_r = 0.0f;
    int32_t source_node = -1;
    int32_t node = -1;  // owner node id
    int32_t priority = 0;
    std::string material;  // material name
    int32_t position_base = 0;
    int32_t color_base = 0;
    // The polygon's matrix list: positions in the model's matrix list, one
    // per position for a skinned polygon, one for a rigid polygon.
    std::vector<int32_t> envelopes;
    std::array<std::vector<float>, kMorphChannelCount> morph_tracks;
    std::string name;

    bool removed() const { return (flags & kPolygonRemoved) != 0; }
    bool skinned() const { return !skin.empty(); }
};

// ------------------------------------------------------------------ nodes

enum NodeKind : int32_t { kNodeNull = 0, kNodeMesh = 1, kNodeJoint = 2, kNodeChain = 3, kNodeEffector = 4 };
enum Billboard : int32_t { kBillboardOff = 0, kBillboardOn = 1, kBillboardYOn = 2 };
inline constexpr uint32_t kNodeVisible = 1u << 6;
inline constexpr int kNodeTrackCount = 9;

struct ExportNode {
    std::vector<Vec3> scale_samples;
    std::vector<Vec3> rotate_samples;  // degrees
    std::vector<Vec3> translate_samples;
    int32_t parent = -1;
    int32_t child = -1;
    int32_t brother_next = -1;
    int32_t brother_prev = -1;
    int32_t id = -1;
    int32_t kind = kNodeNull;
    std::array<int32_t, kNodeTrackCount> track_data_size{};
    std::array<int32_t, kNodeTrackCount> track_data_head{};
    std::array<int32_t, kNodeTrackCount> track_frame_step{};
    std::vector<int32_t> visibility_samples;
    int32_t visibility_data_size = 0;
    int32_t visibility_data_head = 0;
    Vec3 volume_min, volume_max;
    float volume_r = 0.0f;
    int32_t billboard = kBillboardOff;
    int32_t no_cut = 0;
    uint32_t flags = 0;
    std::array<Matrix4, 4> work_matrices{};
    std::string name;
    Vec3 scale{1, 1, 1};
    Vec3 rotate;  // degrees
    Vec3 translate;
};

// ------------------------------------------------------------------ materials

struct Rgb8 {
    uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

inline constexpr uint32_t kMaterialOrphan = 1u << 0;

struct ExportMaterial {
    std::string name;
    int32_t light0 = 0, light1 = 0, light2 = 0, light3 = 0;
    int32_t lights_enabled = 0;
    int32_t shininess_table = 0;
    int32_t fog_flag = 0;
    int32_t wire_mode = 0;
    int32_t face = 0;          // 0 front, 1 back, 2 both
    int32_t polygon_mode = 0;  // 0 modulate, 1 decal, 2 toon_highlight, 3 shadow
    int32_t polygon_id = 0;
    int32_t tex_gen_mode = 0;    // 0 none, 1 tex, 2 nrm, 3 pos
    int32_t tex_gen_st_src = 0;  // 0 polygon, 1 material
    int32_t compress = 0;
    int32_t ifl_loop = 0;
    int32_t depth_test_decal = 0;
    int32_t translucent_update_depth = 0;
    int32_t render_1_pixel = 0;
    int32_t far_clipping = 0;
    int32_t priority = 0;
    Matrix4 tex_effect_mtx{};
    // Per frame of the export range.
    std::vector<Rgb8> diffuse, ambient, specular, emission;
    std::vector<uint8_t> alpha;
    std::vector<float> tex_translate_s, tex_translate_t, tex_scale_s, tex_scale_t, tex_rotate;
    int32_t tex_tiling_s = 0, tex_tiling_t = 0;  // 0 clamp, 1 repeat, 2 flip
    std::string texture_path;
    int32_t texture_frame_count = 0;
    bool is_ifl = false;
    std::vector<std::string> pattern_images;
    std::vector<int32_t> pattern_counts;
    uint32_t flags = 0;  // kMaterialOrphan
    int32_t tex_image_idx = -1;
};

// ------------------------------------------------------------------ textures

struct ExportTexture {
    std::string path;  // resolved image path; the key materials find it by
    std::string name;
    uint16_t original_width = 0, original_height = 0;
    uint16_t width = 0, height = 0;  // the encoded size: powers of two, at least 8
    std::vector<uint8_t> pixels;     // RGBA, original_width x original_height, top row first

    // Encoding, filled by the texture section (or read from a prepared file).
    int32_t format = -1;  // index in the texture format table
    bool color0_transparent = false;
    bool prepared = false;  // texel data taken unchanged from a prepared file
    std::vector<uint8_t> prepared_texels;          // little-endian units, as in the file
    std::vector<uint8_t> prepared_palette_indices;  // tex4x4 only
    std::string palette_name;                      // named by a prepared file; empty otherwise
    std::vector<uint16_t> palette;                 // 15-bit colours
    std::string palette_output_name;
    bool shares_palette = false;  // uses an earlier texture's palette of the same name
    int32_t palette_index = -1;   // position in tex_palette_array
};

// ------------------------------------------------------------------ lights, cameras

struct ExportLight {
    Vec3 direction;  // exported (Y-up) axes
    Rgb8 color;
};

struct ExportCamera {
    enum Projection : int32_t { kPerspective = 0, kOrthographic = 1 };
    Vec3 position;
    Vec3 lookat;
    float twist = 0.0f;
    int32_t projection = kPerspective;
    float near_clip = 0.0f, far_clip = 0.0f;
    float fovy = 0.0f, aspect = 0.0f;
    float ortho_width = 0.0f, ortho_height = 0.0f;
};

// ------------------------------------------------------------------ scene

struct ExportScene {
    std::vector<ExportPolygon> polygons;
    std::vector<ExportMaterial> materials;
    std::vector<ExportTexture> textures;
    std::vector<ExportNode> nodes;
    std::vector<ExportLight> lights;
    std::vector<ExportCamera> cameras;  // the first one is written to the scene data file

    int32_t material_count_before_compression = 0;
    int32_t node_count_before_compression = 0;

    // Copies of the settings that later stages read.
    int32_t vertex_style = 0;  // 0 direct, 1 index
    float magnify = 1.0f;
    int32_t start_frame = 0;
    int32_t end_frame = 0;
    int32_t scene_start_frame = 0;
    int32_t frame_count = 0;
    int32_t compress_node = 0;  // 0 none, 1 cull, 2 merge, 3 unite, 4 unite_combine
    int32_t compress_material = 0;
    int32_t interpolation = 0;  // 0 frame, 1 linear
    int32_t interp_end_to_start = 0;
    int32_t frame_step_mode = 0;  // 0 auto, 1, 2, 3 meaning steps 1, 2, 4
    float tolerance_scale = 0, tolerance_rotate = 0, tolerance_translate = 0;
    float tolerance_tex_scale = 0, tolerance_tex_rotate = 0, tolerance_tex_translate = 0;
    int32_t tolerance_color = 0;
    int32_t process_mode = 1;  // 1 intermediate files, 0 3D Material Editor
    int32_t output_imd = 0, output_ica = 0, output_iva = 0, output_ima = 0, output_ita = 0, output_itp = 0;
    int32_t output_isd = 0;
    int32_t output_texture = 0;  // 0 used, 1 all
    int32_t force_full_weight = 0;
    int32_t use_primitive_strip = 0;
    int32_t force_quads = 1;
    int32_t triangulation = 0;  // 0 as_is, 1 as_is_checking, 2 generate_quads, 3 all_tris
    int32_t pos_scale = 0;
    std::string scene_file_name;

    Progress progress;
    // Log messages of this run, in order of first report, without duplicates.
    std::vector<std::string> messages;
};

// Empties the scene for a new run: records, settings copies, frame values,
// the scene file name, the last status text and the message list.
void ResetScene(ExportScene& scene);

// Releases every record after a run, successful or not. The settings copies
// and the message list are left to the next reset.
void TeardownScene(ExportScene& scene);

}  // namespace korvo
