#include "writers/matrix_groups.h"

#include <algorithm>

#include "writers/face_links.h"

namespace korvo {

namespace {

// Builds the groups of one polygon. Membership of a matrix in the group
// being built is a stamp per matrix index, so no test scans the group's
// list.
class GroupBuilder {
public:
    GroupBuilder(const ExportPolygon& polygon, const std::vector<int32_t>& matrix_of_position)
        : matrix_of_position_(matrix_of_position), limited_(polygon.skinned()) {
        int32_t largest = -1;
        for (int32_t m : matrix_of_position) largest = std::max(largest, m);
        member_.assign(static_cast<std::size_t>(largest) + 2, 0);
        counted_.assign(member_.size(), 0);
    }

    void StartGroup() { ++group_stamp_; }

    // Adds the strip or separate face starting at first when its matrices
    // fit the group, and marks that face assigned.
    template <class Face>
    bool TryAdd(MatrixGroup& group, std::vector<Face>& faces, int32_t first) {
        if (limited_ && !group.primitives.empty() &&
            group.matrices.size() + NewMatrixCount(faces, first) > kMaxGroupMatrices) {
            return false;
        }
        ForEachCornerMatrix(faces, first, [&](int32_t matrix) {
            std::size_t slot = Slot(matrix);
            if (member_[slot] == group_stamp_) return;
            member_[slot] = group_stamp_;
            group.matrices.push_back(matrix);
        });
        faces[static_cast<std::size_t>(first)].strip_word |= kFaceAssigned;
        return true;
    }

private:
    int32_t MatrixOf(uint16_t position) const {
        return position < matrix_of_position_.size() ? matrix_of_position_[position] : -1;
    }

    // Matrix indices run from -1 (none) up.
    std::size_t Slot(int32_t matrix) const { return static_cast<std::size_t>(std::max(matrix, -1) + 1); }

    template <class Face, class Visit>
    void ForEachCornerMatrix(const std::vector<Face>& faces, int32_t first, Visit&& visit) const {
        ForEachLinkedFace(faces, first, [&](int32_t index) {
            for (uint16_t position : faces[static_cast<std::size_t>(index)].position) visit(MatrixOf(position));
        });
    }

    template <class Face>
    std::size_t NewMatrixCount(const std::vector<Face>& faces, int32_t first) {
        ++count_stamp_;
        std::size_t count = 0;
        ForEachCornerMatrix(faces, first, [&](int32_t matrix) {
            std::size_t slot = Slot(matrix);
            if (member_[slot] == group_stamp_ || counted_[slot] == count_stamp_) return;
            counted_[slot] = count_stamp_;
            ++count;
        });
        return count;
    }

    const std::vector<int32_t>& matrix_of_position_;
    bool limited_;
    std::vector<uint32_t> member_;   // == group_stamp_: in the group being built
    std::vector<uint32_t> counted_;  // == count_stamp_: counted for the candidate
    uint32_t group_stamp_ = 0;
    uint32_t count_stamp_ = 0;
};

bool Unassigned(const NFace& face) { return (face.strip_word & kFaceAssigned) == 0; }

// Adds every unassigned strip of the list that fits; returns the faces placed.
template <class Face>
int32_t AddStrips(GroupBuilder& builder, MatrixGroup& group, std::vector<Face>& faces, bool quad) {
    int32_t placed = 0;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        if (!StartsStrip(faces[i]) || !Unassigned(faces[i])) continue;
        if (!builder.TryAdd(group, faces, static_cast<int32_t>(i))) continue;
        group.primitives.push_back({quad, static_cast<int32_t>(i)});
        placed += StripFaceCount(faces[i]);
    }
    return placed;
}

// Adds every unassigned separate face that fits, chained into one primitive.
template <class Face>
int32_t AddSeparateFaces(GroupBuilder& builder, MatrixGroup& group, std::vector<Face>& faces, bool quad) {
    int32_t placed = 0;
    int32_t previous = kNoLink;
    for (std::size_t i = 0; i < faces.size(); ++i) {
        const Face& face = faces[i];
        if (face.link != kNoLink || StartsStrip(face) || !Unassigned(face)) continue;
        const auto index = static_cast<int32_t>(i);
        if (!builder.TryAdd(group, faces, index)) continue;
        if (previous == kNoLink) {
            group.primitives.push_back({quad, index});
        } else {
            faces[static_cast<std::size_t>(previous)].link = index;
        }
        previous = index;
        ++placed;
    }
    return placed;
}

}  // namespace

std::vector<MatrixGroup> BuildMatrixGroups(ExportPolygon& polygon, const std::vector<int32_t>& matrix_of_position) {
    GroupBuilder builder(polygon, matrix_of_position);
    std::vector<MatrixGroup> groups;
    const auto face_total = static_cast<int64_t>(polygon.triangles.size() + polygon.quads.size());
    int64_t assigned = 0;
    while (assigned < face_total) {
        builder.StartGroup();
        MatrixGroup group;
        assigned += AddStrips(builder, group, polygon.quads, true);
        assigned += AddStrips(builder, group, polygon.triangles, false);
        assigned += AddSeparateFaces(builder, group, polygon.quads, true);
        assigned += AddSeparateFaces(builder, group, polygon.triangles, false);
        // Only faces that no strip start reaches are left over: nothing
        // more can be placed.
        if (group.primitives.empty()) break;
        groups.push_back(std::move(group));
    }
    return groups;
}

}  // namespace korvo
