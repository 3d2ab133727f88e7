#include "writers/matrix_groups.h"

#include <algorithm>
#include <span>

namespace korvo {

namespace {

// Builds the groups of one polygon. Membership of a matrix in the group
// being built is a stamp per matrix index, so no test scans the group's
// list.
class GroupBuilder {
public:
    GroupBuilder(const ExportPolygon& polygon, const std::vector<int32_t>& matrix_of_position)
        : polygon_(polygon), matrix_of_position_(matrix_of_position), limited_(polygon.skinned()) {
        int32_t largest = -1;
        for (int32_t m : matrix_of_position) largest = std::max(largest, m);
        member_.assign(static_cast<std::size_t>(largest) + 2, 0);
        counted_.assign(member_.size(), 0);
    }

    void StartGroup() {
        ++group_stamp_;
        group_empty_ = true;
    }

    // Adds the faces (a strip, or one separate face) to the group when
    // their matrices fit it.
    bool TryAdd(MatrixGroup& group, bool quads, std::span<const int32_t> faces) {
        if (limited_ && !group_empty_ && group.matrices.size() + NewMatrixCount(quads, faces) > kMaxGroupMatrices) {
            return false;
        }
        ForEachCornerMatrix(quads, faces, [&](int32_t matrix) {
            const std::size_t slot = Slot(matrix);
            if (member_[slot] == group_stamp_) return;
            member_[slot] = group_stamp_;
            group.matrices.push_back(matrix);
        });
        group_empty_ = false;
        return true;
    }

private:
    int32_t MatrixOf(uint16_t position) const {
        return position < matrix_of_position_.size() ? matrix_of_position_[position] : -1;
    }

    // Matrix indices run from -1 (none) up.
    std::size_t Slot(int32_t matrix) const { return static_cast<std::size_t>(std::max(matrix, -1) + 1); }

    template <class Visit>
    void ForEachCornerMatrix(bool quads, std::span<const int32_t> faces, Visit&& visit) const {
        for (int32_t f : faces) {
            const auto index = static_cast<std::size_t>(f);
            if (quads) {
                for (uint16_t position : polygon_.quads[index].position) visit(MatrixOf(position));
            } else {
                for (uint16_t position : polygon_.triangles[index].position) visit(MatrixOf(position));
            }
        }
    }

    std::size_t NewMatrixCount(bool quads, std::span<const int32_t> faces) {
        ++count_stamp_;
        std::size_t count = 0;
        ForEachCornerMatrix(quads, faces, [&](int32_t matrix) {
            const std::size_t slot = Slot(matrix);
            if (member_[slot] == group_stamp_ || counted_[slot] == count_stamp_) return;
            counted_[slot] = count_stamp_;
            ++count;
        });
        return count;
    }

    const ExportPolygon& polygon_;
    const std::vector<int32_t>& matrix_of_position_;
    bool limited_;
    bool group_empty_ = true;
    std::vector<uint32_t> member_;   // == group_stamp_: in the group being built
    std::vector<uint32_t> counted_;  // == count_stamp_: counted for the candidate
    uint32_t group_stamp_ = 0;
    uint32_t count_stamp_ = 0;
};

// Strips or separate faces of one kind still to place, each marked once
// placed.
template <class Item>
struct ToPlace {
    std::vector<Item> items;
    std::vector<char> placed;

    void Add(Item item) {
        items.push_back(std::move(item));
        placed.push_back(0);
    }
};

// The plan's primitives as the grouping takes them.
struct Pending {
    ToPlace<const Primitive*> quad_strips, triangle_strips;
    ToPlace<int32_t> separate_quads, separate_triangles;
    std::size_t left = 0;
};

Pending PendingFaces(const ExportPolygon& polygon, const std::vector<Primitive>& plan) {
    Pending pending;
    for (const Primitive& primitive : plan) {
        const std::size_t size = DrawsQuads(primitive.kind) ? polygon.quads.size() : polygon.triangles.size();
        const auto in_range = [size](int32_t f) { return f >= 0 && static_cast<std::size_t>(f) < size; };
        // A primitive that names no face of the polygon draws nothing.
        if (!std::all_of(primitive.faces.begin(), primitive.faces.end(), in_range)) continue;
        switch (primitive.kind) {
            case PrimitiveKind::QuadStrip: pending.quad_strips.Add(&primitive); break;
            case PrimitiveKind::TriangleStrip: pending.triangle_strips.Add(&primitive); break;
            case PrimitiveKind::Quads:
                for (int32_t f : primitive.faces) pending.separate_quads.Add(f);
                break;
            case PrimitiveKind::Triangles:
                for (int32_t f : primitive.faces) pending.separate_triangles.Add(f);
                break;
        }
    }
    pending.left = pending.quad_strips.items.size() + pending.triangle_strips.items.size() +
                   pending.separate_quads.items.size() + pending.separate_triangles.items.size();
    return pending;
}

// Adds every strip not yet placed that fits.
void AddStrips(GroupBuilder& builder, MatrixGroup& group, bool quads, ToPlace<const Primitive*>& strips,
               std::size_t& left) {
    for (std::size_t i = 0; i < strips.items.size(); ++i) {
        if (strips.placed[i] || !builder.TryAdd(group, quads, strips.items[i]->faces)) continue;
        strips.placed[i] = 1;
        --left;
        group.primitives.push_back(*strips.items[i]);
    }
}

// Adds every separate face not yet placed that fits, listed in one
// primitive.
void AddSeparateFaces(GroupBuilder& builder, MatrixGroup& group, bool quads, ToPlace<int32_t>& faces,
                      std::size_t& left) {
    Primitive list{quads ? PrimitiveKind::Quads : PrimitiveKind::Triangles, {}};
    for (std::size_t i = 0; i < faces.items.size(); ++i) {
        if (faces.placed[i] || !builder.TryAdd(group, quads, std::span(&faces.items[i], 1))) continue;
        faces.placed[i] = 1;
        --left;
        list.faces.push_back(faces.items[i]);
    }
    if (!list.faces.empty()) group.primitives.push_back(std::move(list));
}

}  // namespace

std::vector<MatrixGroup> BuildMatrixGroups(const ExportPolygon& polygon, const std::vector<Primitive>& plan,
                                           const std::vector<int32_t>& matrix_of_position) {
    GroupBuilder builder(polygon, matrix_of_position);
    Pending pending = PendingFaces(polygon, plan);
    std::vector<MatrixGroup> groups;
    // An empty group takes anything, so every pass places something.
    while (pending.left > 0) {
        builder.StartGroup();
        MatrixGroup group;
        AddStrips(builder, group, true, pending.quad_strips, pending.left);
        AddStrips(builder, group, false, pending.triangle_strips, pending.left);
        AddSeparateFaces(builder, group, true, pending.separate_quads, pending.left);
        AddSeparateFaces(builder, group, false, pending.separate_triangles, pending.left);
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace korvo
