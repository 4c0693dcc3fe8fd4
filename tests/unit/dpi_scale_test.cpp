// The one scaling rule: lengths of the design at the DPIs displays run at.
#include <gtest/gtest.h>

#include "core/dpi_scale.h"

namespace quorvenda {
namespace {

TEST(DpiScale, ScalesAsMulDivRoundingHalfAwayFromZero) {
    const struct {
        int length, dpi, expected;
    } rows[] = {
        {1, 96, 1},      {6, 96, 6},      {440, 96, 440}, {1, 120, 1},  {2, 120, 3},   {6, 120, 8},     {7, 120, 9},
        {300, 120, 375}, {1, 144, 2},     {3, 144, 5},    {7, 144, 11}, {20, 144, 30}, {440, 144, 660}, {1, 192, 2},
        {7, 192, 14},    {150, 192, 300}, {1, 110, 1},    {4, 110, 5},  {7, 110, 8},   {20, 110, 23},   {3, 168, 5},
        {7, 168, 12},    {11, 168, 19},   {20, 168, 35},  {0, 144, 0},  {-1, 144, -2}, {-3, 144, -5},   {-7, 120, -9},
        {-1, 110, -1},   {1, 48, 1},      {3, 48, 2},     {1, 960, 10}, {10, 72, 8},   {2, 72, 2},      {1, 47, 0},
    };
    for (const auto& r : rows) {
        EXPECT_EQ(scaledToDpi(r.length, r.dpi), r.expected) << r.length << " at " << r.dpi << " DPI";
    }
}

TEST(DpiScale, MulDivFailsAsWin32DoesAndNeverOverflows) {
    EXPECT_EQ(mulDiv(5, 3, 0), -1);                       // no denominator
    EXPECT_EQ(mulDiv(2147483647, 2, 1), -1);              // beyond 32 bits
    EXPECT_EQ(mulDiv(2147483647, 960, 960), 2147483647);  // exact in 64 bits
    EXPECT_EQ(mulDiv(-2147483647 - 1, 1, 1), -1);         // as Windows: below -(2^31 - 1)
    EXPECT_EQ(mulDiv(7, 144, -96), -11);                  // a negative denominator flips the sign
    EXPECT_EQ(mulDiv(-7, -144, 96), 11);
}

TEST(DpiScale, AnUnusableSystemDpiIsTakenAs96) {
    const struct {
        int reported, used;
    } rows[] = {{0, 96}, {-144, 96}, {47, 96}, {48, 48}, {96, 96}, {144, 144}, {960, 960}, {961, 96}, {1 << 30, 96}};
    for (const auto& r : rows) EXPECT_EQ(usableDpi(r.reported), r.used) << r.reported;
}

}  // namespace
}  // namespace quorvenda
