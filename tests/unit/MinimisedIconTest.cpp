#include <gtest/gtest.h>

#include "MinimisedIcon.h"

namespace {

TEST(MinimisedIconTest, CentresTheIconRoundingHalvesTowardZero) {
    const struct {
        int clientWidth, clientHeight, iconWidth, iconHeight;
        int x, y;
    } cases[] = {
        {36, 36, 32, 32, 2, 2},
        {37, 38, 32, 32, 3, 3},
        {160, 40, 32, 32, 64, 4},
        {48, 48, 16, 16, 16, 16},
        // A tall and a wide icon: each axis takes its own side.
        {40, 60, 16, 32, 12, 14},
        {60, 40, 32, 16, 14, 12},
        // Smaller than the icon: -1/2 truncates to 0, -31/2 to -15.
        {31, 30, 32, 32, 0, 0},
        {0, 0, 32, 32, -15, -15},
    };
    for (const auto& c : cases) {
        const IconPosition at =
            CentredIconPosition(c.clientWidth, c.clientHeight, c.iconWidth, c.iconHeight);
        EXPECT_EQ(at.x, c.x) << c.clientWidth << "x" << c.clientHeight;
        EXPECT_EQ(at.y, c.y) << c.clientWidth << "x" << c.clientHeight;
    }
}

} // namespace
