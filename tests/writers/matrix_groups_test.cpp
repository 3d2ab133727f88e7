#include <gtest/gtest.h>

#include <numeric>

#include "writers/matrix_groups.h"

namespace korvo {
namespace {

NQuadFace Quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
    NQuadFace face;
    face.position = {a, b, c, d};
    face.strip_word = kFaceQuad;
    return face;
}

NTriFace Tri(uint16_t a, uint16_t b, uint16_t c) {
    NTriFace face;
    face.position = {a, b, c};
    return face;
}

std::vector<int32_t> Range(int32_t first, int32_t count) {
    std::vector<int32_t> values(static_cast<std::size_t>(count));
    std::iota(values.begin(), values.end(), first);
    return values;
}

TEST(MatrixGroupsTest, ASkinnedPolygonTakesWhatStillFitsIntoEachGroup) {
    ExportPolygon polygon;
    polygon.skin.resize(32);  // skinned; position i is drawn by matrix i
    const std::vector<int32_t> matrix_of_position = Range(0, 32);
    for (uint16_t q = 0; q < 8; ++q) {
        const auto b = static_cast<uint16_t>(4 * q);
        polygon.quads.push_back(Quad(b, b + 1, b + 2, b + 3));
    }
    // Quads 0-6 fill 28 matrices. Quad 7 would make 32; the first triangle
    // adds one, the second three (too many), the third one more.
    polygon.triangles = {Tri(0, 1, 28), Tri(29, 30, 31), Tri(28, 29, 2)};

    const std::vector<MatrixGroup> groups = BuildMatrixGroups(polygon, matrix_of_position);

    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].matrices, Range(0, 30));
    EXPECT_EQ(groups[1].matrices, Range(28, 4));
    // Each group holds a quad list and a triangle list, by their first face.
    std::vector<std::pair<bool, int32_t>> primitives;
    for (const MatrixGroup& group : groups) {
        for (const auto& primitive : group.primitives) primitives.emplace_back(primitive.quad, primitive.first_face);
    }
    EXPECT_EQ(primitives, (std::vector<std::pair<bool, int32_t>>{{true, 0}, {false, 0}, {true, 7}, {false, 1}}));
    EXPECT_EQ(polygon.triangles[0].link, 2);
}

TEST(MatrixGroupsTest, BrokenLinksEndTheGroupingInsteadOfLooping) {
    ExportPolygon polygon;
    polygon.skin.resize(3);
    polygon.triangles = {Tri(0, 1, 2), Tri(0, 1, 2)};
    polygon.triangles[0].strip_word = kTriangleStripStart | 1;
    polygon.triangles[0].link = 0;  // a cycle
    polygon.triangles[1].link = 7;  // a non-start face pointing nowhere

    const std::vector<MatrixGroup> groups = BuildMatrixGroups(polygon, Range(0, 3));

    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].matrices, Range(0, 3));
}

}  // namespace
}  // namespace korvo
