#include <gtest/gtest.h>

#include <numeric>

#include "writers/matrix_groups.h"

namespace korvo {
namespace {

NQuadFace Quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
    NQuadFace face;
    face.position = {a, b, c, d};
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

    const std::vector<MatrixGroup> groups = BuildMatrixGroups(polygon, SeparateFacesPlan(polygon), matrix_of_position);

    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(groups[0].matrices, Range(0, 30));
    EXPECT_EQ(groups[1].matrices, Range(28, 4));
    // Each group lists the separate quads and triangles it took.
    EXPECT_EQ(groups[0].primitives,
              (std::vector<Primitive>{{PrimitiveKind::Quads, Range(0, 7)}, {PrimitiveKind::Triangles, {0, 2}}}));
    EXPECT_EQ(groups[1].primitives,
              (std::vector<Primitive>{{PrimitiveKind::Quads, {7}}, {PrimitiveKind::Triangles, {1}}}));
}

}  // namespace
}  // namespace korvo
