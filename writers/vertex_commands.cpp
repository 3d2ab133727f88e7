#include "writers/vertex_commands.h"

#include <algorithm>
#include <cmath>

#include "writers/position_encoding.h"

namespace korvo {

namespace {

constexpr float kLargestNormalComponent = 0.998046875f;  // 10-bit normals stop one step short of 1

template <class T>
const T* Entry(const std::vector<T>& list, uint16_t index) {
    return index < list.size() ? &list[index] : nullptr;
}

}  // namespace

bool GeneratesTexCoordsFromMaterial(const ExportMaterial& material) {
    return (material.tex_gen_mode == TexGenMode::Nrm || material.tex_gen_mode == TexGenMode::Pos) &&
           material.tex_gen_st_src == TexGenSource::Material;
}

void VertexCommandWriter::BeginPolygon(const ExportPolygon& polygon, const PolygonLayout& laid_out,
                                       const ExportMaterial& material, int32_t image) {
    polygon_ = &polygon;
    laid_out_ = &laid_out;
    material_ = &material;
    normals_ = polygon.normals;
    texture_ = image >= 0 && static_cast<std::size_t>(image) < scene_.textures.size()
                   ? &scene_.textures[static_cast<std::size_t>(image)]
                   : nullptr;
    // The position register carries over from the previous polygon; every
    // other comparison starts afresh.
    const Vec3 last_position = state_.last_position;
    state_ = VertexCommandState{};
    state_.last_position = last_position;
}

void VertexCommandWriter::BeginGroup(const std::vector<int32_t>& group_matrices) {
    group_matrices_ = &group_matrices;
    state_.last_matrix = -1;
}

void VertexCommandWriter::WriteVertex(const CornerIndices& corner, bool first_corner) {
    const bool matrix_changed = WriteMatrix(corner);
    const bool tex_changed = WriteTexCoord(corner);
    WriteColor(corner);
    WriteNormal(corner, matrix_changed, tex_changed);
    WritePosition(corner, first_corner);
}

bool VertexCommandWriter::WriteMatrix(const CornerIndices& corner) {
    const std::vector<int32_t>& matrices = laid_out_->position_matrices;
    const int32_t matrix = corner.position < matrices.size() ? matrices[corner.position] : -1;
    if (matrix == state_.last_matrix) return false;
    const auto slot = std::find(group_matrices_->begin(), group_matrices_->end(), matrix) - group_matrices_->begin();
    out_.Printf("\t\t\t\t\t<mtx idx=\"%d\"/>\n", static_cast<int>(slot));
    state_.last_matrix = matrix;
    return true;
}

// Returns whether the raw coordinate changed; a vertex without one counts
// as changed.
bool VertexCommandWriter::WriteTexCoord(const CornerIndices& corner) {
    if (material_->texture_path.empty()) return true;
    const Vec2* st = Entry(polygon_->tex_coords, corner.tex);
    if (!st) return true;
    if (!GeneratesTexCoordsFromMaterial(*material_)) {
        const float width = texture_ ? texture_->original_width : 0.0f;
        const float height = texture_ ? texture_->original_height : 0.0f;
        const float s = st->s * width;
        const float t = st->t * height;
        const bool out_of_range = s < -2048.0f || s >= 2048.0f || t < -2048.0f || t >= 2048.0f;
        if (out_of_range && !state_.uv_warning_given) {
            diagnostics_.WarnF("Warning: UV range over. %s (%s) %.6f, %.6f", polygon_->name.c_str(),
                               material_->name.c_str(), s, t);
            state_.uv_warning_given = true;
        }
        out_.Printf("\t\t\t\t\t<tex st=\"%f %f\"/>\n", s, t);
    }
    const bool changed = !(*st == state_.last_tex);
    state_.last_tex = *st;
    return changed;
}

void VertexCommandWriter::WriteColor(const CornerIndices& corner) {
    if (material_->lights_enabled) return;
    const VertexColor* color = Entry(polygon_->colors, corner.color);
    if (!color) return;
    if (style_ == VertexStyle::Index) {
        const int32_t index = corner.color + laid_out_->color_base;
        if (index != state_.last_color_index) out_.Printf("\t\t\t\t\t<clr_idx idx=\"%d\"/>\n", index);
        state_.last_color_index = index;
        return;
    }
    const std::array<int32_t, 3> rgb{color->r >> 3, color->g >> 3, color->b >> 3};
    if (rgb != state_.last_color) out_.Printf("\t\t\t\t\t<clr rgb=\"%d %d %d\"/>\n", rgb[0], rgb[1], rgb[2]);
    state_.last_color = rgb;
}

void VertexCommandWriter::WriteNormal(const CornerIndices& corner, bool matrix_changed, bool tex_changed) {
    if (!material_->lights_enabled) return;
    if (corner.normal >= normals_.size()) return;
    Vec3& n = normals_[corner.normal];
    // A zero normal stays zero (the zero-normal check reports it) rather
    // than turning into NaN.
    n = Normalized(n);

    const Vec3& last = state_.last_normal;
    const bool repeated = std::fabs(n.x - last.x) < 0.001f && std::fabs(n.y - last.y) < 0.001f &&
                          std::fabs(n.z - last.z) < 0.001f && !matrix_changed;
    // Texture coordinates generated from the normal need it sent with
    // every new coordinate.
    const bool follows_tex =
        material_->tex_gen_mode == TexGenMode::Nrm && material_->tex_gen_st_src == TexGenSource::Polygon && tex_changed;
    if (!repeated || follows_tex) {
        auto clamp = [](float v) { return std::clamp(v, -1.0f, kLargestNormalComponent); };
        out_.Printf("\t\t\t\t\t<nrm xyz=\"%f %f %f\"/>\n", clamp(n.x), clamp(n.y), clamp(n.z));
    }
    state_.last_normal = n;
}

void VertexCommandWriter::WritePosition(const CornerIndices& corner, bool first_corner) {
    const Vec3* found = Entry(polygon_->positions, corner.position);
    const Vec3 position = found ? *found : Vec3{};
    out_.Write("\t\t\t\t\t");
    if (style_ == VertexStyle::Index) {
        out_.Printf("<pos_idx idx=\"%d\"/>\n", corner.position + laid_out_->position_base);
    } else {
        out_.Write(PositionCommand(position, state_.last_position, first_corner));
    }
    state_.last_position = position;
}

}  // namespace korvo
