#include <gtest/gtest.h>

#include "writers/position_encoding.h"

namespace korvo {
namespace {

TEST(PositionEncodingTest, ShortFormOnlyForFirstCornersOnTheGridThenDifferenceThenSharedCoordinate) {
    const Vec3 anywhere{5.0f, 5.0f, 5.0f}, last{0.25f, 0.5f, -1.0f};
    struct Case {
        Vec3 position, last;
        bool first;
        const char* command;
    };
    const Case cases[] = {
        {{0.25f, 0.5f, -1.0f}, anywhere, true, "<pos_s xyz=\"0.250000 0.500000 -1.000000\"/>\n"},
        {{0.2f, 0.5f, -1.0f}, anywhere, true, "<pos_xyz xyz=\"0.200000 0.500000 -1.000000\"/>\n"},
        {{-0.015625f, 7.984375f, -8.0f}, anywhere, true, "<pos_s xyz=\"-0.015625 7.984375 -8.000000\"/>\n"},
        // The fixed-point value is truncated first, and that is what is written.
        {{0.0156251f, 0.0f, 0.0f}, anywhere, true, "<pos_s xyz=\"0.015625 0.000000 0.000000\"/>\n"},
        {{0.01562f, 0.0f, 0.0f}, anywhere, true, "<pos_xyz xyz=\"0.015620 0.000000 0.000000\"/>\n"},
        // A first corner is never sent relative to the previous vertex.
        {{5.0f, 5.0f, 5.01f}, anywhere, true, "<pos_xyz xyz=\"5.000000 5.000000 5.010000\"/>\n"},
        {{0.25f, 0.5f, -0.9f}, last, false, "<pos_diff xyz=\"0.000000 0.000000 0.100000\"/>\n"},
        // z moves by 0.5; x, which is compared first, is equal.
        {{0.25f, 0.5f, -0.5f}, last, false, "<pos_yz yz=\"0.500000 -0.500000\"/>\n"},
        {{0.124f, 5.0f, 0.0f}, {0.0f, 5.1f, 0.05f}, false, "<pos_diff xyz=\"0.124000 -0.100000 -0.050000\"/>\n"},
        // A difference of exactly 0.125 is too far.
        {{0.125f, 0.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, false, "<pos_xz xz=\"0.125000 0.000000\"/>\n"},
        {{1.0f, 2.0f, 3.0f}, {4.0f, 5.0f, 3.0f}, false, "<pos_xy xy=\"1.000000 2.000000\"/>\n"},
        // On the short-form grid, but not a first corner.
        {{1.0f, 1.0f, 1.0f}, {3.0f, 3.0f, 3.0f}, false, "<pos_xyz xyz=\"1.000000 1.000000 1.000000\"/>\n"},
    };
    for (const Case& c : cases) EXPECT_EQ(PositionCommand(c.position, c.last, c.first), c.command);
}

}  // namespace
}  // namespace korvo
