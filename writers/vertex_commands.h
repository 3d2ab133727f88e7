#pragma once
// The vertex commands of one polygon: matrix switch, texture coordinate,
// colour, normal and position, each left out (where the hardware allows)
// when it repeats what the previous vertex sent.

#include <array>
#include <cstdint>
#include <vector>

#include "core/diagnostics.h"
#include "core/export_options.h"
#include "core/export_scene.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// One face corner's indices into the polygon's lists.
struct CornerIndices {
    uint16_t position = 0, color = 0, tex = 0, normal = 0;
};

template <std::size_t N>
CornerIndices CornerOf(const NCornerFace<N>& face, std::size_t corner) {
    return {face.position[corner], face.color[corner], face.tex[corner], face.normal[corner]};
}

// The values the hardware holds from the previous vertex.
struct VertexCommandState {
    int32_t last_matrix = -1;
    Vec3 last_normal;
    Vec2 last_tex{1000000.0f, 1000000.0f};
    std::array<int32_t, 3> last_color{255, 255, 255};  // 5-bit values; 255 never matches
    int32_t last_color_index = -1;
    Vec3 last_position;
    bool uv_warning_given = false;
};

// Texture coordinates that the hardware generates from material values
// (normal or position generation with the material as the source): the
// polygon's own coordinates are not sent.
bool GeneratesTexCoordsFromMaterial(const ExportMaterial& material);

class VertexCommandWriter {
public:
    VertexCommandWriter(TextWriter& out, const ExportScene& scene, VertexStyle style, Diagnostics& diagnostics)
        : out_(out), scene_(scene), style_(style), diagnostics_(diagnostics) {}

    // The polygon, its layout and its material (drawing texture image
    // image, -1 for none) must outlive its vertices.
    void BeginPolygon(const ExportPolygon& polygon, const PolygonLayout& laid_out, const ExportMaterial& material,
                      int32_t image);
    // The polygon's normals as sent: a working copy in which each written
    // normal is brought to unit length, again at every use. The records
    // keep theirs; the zero-normal check reads these.
    const std::vector<Vec3>& normals() const { return normals_; }
    // The group's matrices, loaded afresh: the first vertex switches matrix.
    void BeginGroup(const std::vector<int32_t>& group_matrices);

    void WriteVertex(const CornerIndices& corner, bool first_corner);

private:
    bool WriteMatrix(const CornerIndices& corner);
    bool WriteTexCoord(const CornerIndices& corner);
    void WriteColor(const CornerIndices& corner);
    void WriteNormal(const CornerIndices& corner, bool matrix_changed, bool tex_changed);
    void WritePosition(const CornerIndices& corner, bool first_corner);

    TextWriter& out_;
    const ExportScene& scene_;
    VertexStyle style_;
    Diagnostics& diagnostics_;
    const ExportPolygon* polygon_ = nullptr;
    const PolygonLayout* laid_out_ = nullptr;
    const ExportMaterial* material_ = nullptr;
    const ExportTexture* texture_ = nullptr;
    std::vector<Vec3> normals_;
    const std::vector<int32_t>* group_matrices_ = nullptr;
    VertexCommandState state_;
};

}  // namespace korvo
