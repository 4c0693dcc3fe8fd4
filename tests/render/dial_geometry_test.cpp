// The layout of the dial and the rule that places every hand, tick and mark.
#include <gtest/gtest.h>

#include "render/dial_layout.h"
#include "render/dial_point.h"

namespace quorvenda {
namespace {

struct LayoutCase {
    const char* what;
    int width;
    int height;
    SlotTextHeights heights;
    int dialSize, innerRadius, outerRadius;
    int monthHand, dayHand, hourHand, minuteHand, secondHand;
    int centreX, centreY;
};

TEST(DialLayout, FollowsTheClientSizeAndTheFirstThreeCountdownLines) {
    const LayoutCase cases[] = {
        {"three 16 px lines", 292, 406, {16, 16, 16}, 292, 116, 125, 69, 98, 34, 52, 87, 146, 231},
        {"no lines: the smaller side", 500, 300, {}, 300, 120, 129, 72, 102, 36, 54, 90, 250, 170},
        {"lines of slots 4 to 7 never shrink the dial",
         292,
         406,
         {0, 0, 0, 200, 200, 200, 200},
         292,
         116,
         125,
         69,
         98,
         34,
         52,
         87,
         146,
         231},
        {"a 20 px line takes 40 px off the height side", 300, 330, {20}, 290, 116, 124, 69, 98, 34, 52, 87, 150, 188},
        {"0.57 is not exact: 100 high gives 56", 100, 100, {}, 100, 40, 43, 24, 34, 12, 18, 30, 50, 56},
        {"lines taller than half the client: negative and unclamped",
         292,
         60,
         {16, 16, 16},
         -36,
         -14,
         -15,
         -8,
         -11,
         -4,
         -6,
         -10,
         146,
         34},
        {"empty client", 0, 0, {}, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
    };
    for (const auto& c : cases) {
        const DialLayout l = computeDialLayout(c.width, c.height, c.heights, designDpi);
        EXPECT_EQ(l.dialSize, c.dialSize) << c.what;
        EXPECT_EQ(l.innerRadius, c.innerRadius) << c.what;
        EXPECT_EQ(l.outerRadius, c.outerRadius) << c.what;
        EXPECT_EQ(l.monthHandLength, c.monthHand) << c.what;
        EXPECT_EQ(l.dayHandLength, c.dayHand) << c.what;
        EXPECT_EQ(l.hourHandLength, c.hourHand) << c.what;
        EXPECT_EQ(l.minuteHandLength, c.minuteHand) << c.what;
        EXPECT_EQ(l.secondHandLength, c.secondHand) << c.what;
        EXPECT_EQ(l.centreX, c.centreX) << c.what;
        EXPECT_EQ(l.centreY, c.centreY) << c.what;
    }
}

TEST(DialLayout, HugeLineHeightsWrapInsteadOfOverflowing) {
    // 2 x (2^31 - 1) wraps to -2, so three such lines add 6 to the height side.
    const DialLayout l = computeDialLayout(10000, 10000, {2147483647, 2147483647, 2147483647}, designDpi);
    EXPECT_EQ(l.dialSize, 10000);
    EXPECT_EQ(l.outerRadius, 4300);
    EXPECT_EQ(l.centreY, 5699);  // 0.57 x 10000 falls just short of 5700
}

TEST(DialLayout, ClientRectHasRightAndBottomEdgesNotWidthAndHeight) {
    DialLayout l = computeDialLayout(292, 406, {}, designDpi);
    EXPECT_EQ(clientRect(l).right, 292);
    EXPECT_EQ(clientRect(l).bottom, 406);
    l.clientLeft = 3;
    l.clientTop = 5;
    EXPECT_EQ(clientRect(l).right, 295);
    EXPECT_EQ(clientRect(l).bottom, 411);
}

TEST(DialPoint, PiAsThreePointOneFourLeavesAxisAlignedHandsOnePixelShortExceptStraightUp) {
    const struct {
        double angle;
        int length;
        double fraction;
        Offset expected;
    } cases[] = {
        {0, 98, 1.0, {0, -98}},     {90, 98, 1.0, {97, 0}},  {180, 98, 1.0, {0, 97}},   {270, 98, 1.0, {-97, 0}},
        {360, 98, 1.0, {0, -97}},   {90, 100, 1.0, {99, 0}}, {195, 69, 1.0, {-17, 66}},  // month hand on 15 June
        {30, 116, 1.0, {57, -100}},                                                      // 1 o'clock tick, outer end
        {30, 110, 1.0, {54, -95}},                                                       // and inner end
        {180, 98, 0.97, {0, 95}},                            // fraction applied after the length, truncated once
        {180, 98, 0.82, {0, 80}},   {0, -98, 1.0, {0, 98}},  // a negative length points the other way
        {372, 98, 1.0, {20, -95}},                           // past a full turn: the 12 degrees of the 1st
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dialOffset(c.angle, c.length, c.fraction), c.expected) << c.angle << " deg, length " << c.length;
    }
}

}  // namespace
}  // namespace quorvenda
