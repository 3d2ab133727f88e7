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

#include "core/export_options.h"
#include "core/vectors.h"

namespace korvo {

// A material's texture effect matrix, row by row as the material holds it
// and the model file writes it.
using TexEffectMatrix = std::array<std::array<float, 4>, 4>;

// ------------------------------------------------------------------ faces

// Shared part of triangles and quads. How faces are drawn (strips, lists,
// matrix groups) is planned apart (face_plan.h); a face holds no marks.
struct NFace {
    Vec3 face_vector;  // normalised face normal
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
    // No face uses the material, or the polygon was merged away or emptied:
    // every writer skips it.
    bool removed = false;
    Vec3 volume_min, volume_max;
    float volume_r = 0.0f;
    int32_t source_node = -1;
    int32_t node = -1;  // owner node id
    int32_t priority = 0;
    std::string material;  // material name
    std::array<std::vector<float>, kMorphChannelCount> morph_tracks;
    std::string name;

    bool skinned() const { return !skin.empty(); }
};

// ------------------------------------------------------------------ nodes

enum class NodeKind { Null, Mesh, Joint, Chain, Effector };
enum class Billboard { Off, On, YOn };

struct ExportNode {
    std::vector<Vec3> scale_samples;
    std::vector<Vec3> rotate_samples;  // degrees
    std::vector<Vec3> translate_samples;
    int32_t parent = -1;
    int32_t child = -1;
    int32_t brother_next = -1;
    int32_t brother_prev = -1;
    int32_t id = -1;
    NodeKind kind = NodeKind::Null;
    std::vector<int32_t> visibility_samples;
    Vec3 volume_min, volume_max;
    float volume_r = 0.0f;
    Billboard billboard = Billboard::Off;
    bool no_cut = false;   // node compression's cull pass keeps the node
    bool visible = false;  // in the first exported frame
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

enum class MaterialFace { Front, Back, Both };
enum class PolygonMode { Modulate, Decal, ToonHighlight, Shadow };
enum class TexGenMode { None, Tex, Nrm, Pos };
enum class TexGenSource { Polygon, Material };
enum class Tiling { Clamp, Repeat, Flip };

struct ExportMaterial {
    std::string name;
    bool light0 = false, light1 = false, light2 = false, light3 = false;
    bool lights_enabled = false;  // any of the four
    bool shininess_table = false;
    bool fog_flag = false;
    bool wire_mode = false;
    MaterialFace face = MaterialFace::Front;
    PolygonMode polygon_mode = PolygonMode::Modulate;
    int32_t polygon_id = 0;
    TexGenMode tex_gen_mode = TexGenMode::None;
    TexGenSource tex_gen_st_src = TexGenSource::Polygon;
    int32_t compress = 0;  // the material's compression choice, as its radio button stores it
    bool ifl_loop = false;
    bool depth_test_decal = false;
    bool translucent_update_depth = false;
    bool render_1_pixel = false;
    bool far_clipping = false;
    int32_t priority = 0;
    TexEffectMatrix tex_effect_mtx{};
    // Per frame of the export range.
    std::vector<Rgb8> diffuse, ambient, specular, emission;
    std::vector<uint8_t> alpha;
    std::vector<float> tex_translate_s, tex_translate_t, tex_scale_s, tex_scale_t, tex_rotate;
    Tiling tex_tiling_s = Tiling::Clamp, tex_tiling_t = Tiling::Clamp;
    std::string texture_path;
    int32_t texture_frame_count = 0;
    bool is_ifl = false;
    std::vector<std::string> pattern_images;
    std::vector<int32_t> pattern_counts;
    bool orphan = false;  // no polygon uses the material
};

// ------------------------------------------------------------------ textures

struct ExportTexture {
    std::string path;  // resolved image path; the key materials find it by
    std::string name;
    uint16_t original_width = 0, original_height = 0;
    uint16_t width = 0, height = 0;  // the encoded size: powers of two, at least 8
    std::vector<uint8_t> pixels;     // RGBA, original_width x original_height, top row first
};

// ------------------------------------------------------------------ lights, cameras

struct ExportLight {
    Vec3 direction;  // exported (Y-up) axes
    Rgb8 color;
};

enum class Projection { Perspective, Orthographic };

struct ExportCamera {
    Vec3 position;
    Vec3 lookat;
    float twist = 0.0f;
    Projection projection = Projection::Perspective;
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

    // What the optimisation passes did, for the model file's summary.
    NodeCompression node_compression = NodeCompression::None;
    bool materials_compressed = false;
    // Halvings that bring every position into [-8, 8); set by magnification.
    int32_t pos_scale = 0;
    std::string scene_file_name;
};

// Empties the scene for a new run: records, stage results and the scene
// file name.
void ResetScene(ExportScene& scene);

// Releases every record after a run, successful or not.
void TeardownScene(ExportScene& scene);

}  // namespace korvo
