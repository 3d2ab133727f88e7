#include <gtest/gtest.h>

#include "support/reports.h"
#include "writers/model_limits.h"

namespace korvo {
namespace {

std::vector<std::string> Warnings(int32_t vertices, int32_t triangles, int32_t quads) {
    test::Reports reports;
    CheckModelLimits({vertices, triangles, quads}, reports.diagnostics);
    return reports.Warnings();
}

using Lines = std::vector<std::string>;

TEST(ModelLimitsTest, WarnsJustPastEachLimit) {
    EXPECT_EQ(Warnings(6144, 0, 0), Lines{});
    EXPECT_EQ(Warnings(6145, 0, 0), Lines{"Warning: Total vertex size over: 6145 Vertices (Max 6144)"});

    EXPECT_EQ(Warnings(0, 0, 1706), Lines{});
    EXPECT_EQ(Warnings(0, 0, 1707), Lines{"Warning: Total quadrilateral size over: 1707 Quadrilaterals (Max 1706)"});

    EXPECT_EQ(Warnings(0, 2048, 0), Lines{});
    EXPECT_EQ(Warnings(0, 2049, 0), Lines{"Warning: Total polygon size over: 2049 Polygons (Max 2048)"});
}

TEST(ModelLimitsTest, MixedModelsShareOneBudgetAndTheVertexCheckIsSeparate) {
    // 1000 * 20 + 800 * 24 = 39200 fits; with 900 quads 41600 does not.
    EXPECT_EQ(Warnings(0, 1000, 800), Lines{});
    EXPECT_EQ(Warnings(6145, 1000, 900),
              (Lines{"Warning: Total vertex size over: 6145 Vertices (Max 6144)",
                     "Warning: Total polygon and quadrilateral size over: Must satisfy formula "
                     "(numPolys * 20 + numQuads * 24 <= 40960)"}));
    // Mixed models are held to the budget alone, not to the single-kind maxima.
    EXPECT_EQ(Warnings(0, 2049, 1), Lines{"Warning: Total polygon and quadrilateral size over: Must satisfy formula "
                                          "(numPolys * 20 + numQuads * 24 <= 40960)"});
    EXPECT_EQ(Warnings(0, 1, 1705), Lines{});
}

}  // namespace
}  // namespace korvo
