#include <gtest/gtest.h>

#include "support/reports.h"
#include "writers/model_limits.h"

namespace korvo {
namespace {

TEST(ModelLimitsTest, WarnsJustPastEachLimitAndHoldsMixedModelsToOneBudget) {
    const std::string vertices = "Warning: Total vertex size over: 6145 Vertices (Max 6144)";
    const std::string budget = "Warning: Total polygon and quadrilateral size over: Must satisfy formula "
                               "(numPolys * 20 + numQuads * 24 <= 40960)";
    struct Case {
        int32_t vertices, triangles, quads;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {6144, 0, 0, {}},
        {6145, 0, 0, {vertices}},
        {0, 0, 1706, {}},
        {0, 0, 1707, {"Warning: Total quadrilateral size over: 1707 Quadrilaterals (Max 1706)"}},
        {0, 2048, 0, {}},
        {0, 2049, 0, {"Warning: Total polygon size over: 2049 Polygons (Max 2048)"}},
        // 1000 * 20 + 800 * 24 = 39200 fits; with 900 quads 41600 does not.
        {0, 1000, 800, {}},
        {6145, 1000, 900, {vertices, budget}},
        // Mixed models are held to the budget alone, not to the single-kind maxima.
        {0, 2049, 1, {budget}},
        {0, 1, 1705, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.vertices) + " " + std::to_string(c.triangles) + " " + std::to_string(c.quads));
        test::Reports reports;
        CheckModelLimits({c.vertices, c.triangles, c.quads}, reports.diagnostics);
        EXPECT_EQ(reports.Warnings(), c.warnings);
    }
}

}  // namespace
}  // namespace korvo
