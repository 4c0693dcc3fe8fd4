#include "app/repaint_schedule.h"

#include <gtest/gtest.h>

#include <climits>

namespace quorvenda {
namespace {

struct DelayCase {
    const char* what;
    int msWithinSecond;
    int delayMs;
};

TEST(RepaintSchedule, FiresJustAfterTheNextWholeSecond) {
    const DelayCase cases[] = {
        {"on the second", 0, 1000 + repaintMarginMs},
        {"mid-second", 400, 600 + repaintMarginMs},
        {"last millisecond, e.g. 23:59:59.999", 999, 1 + repaintMarginMs},
        {"a leap-second reading of 1000", 1000, repaintMarginMs},
        {"beyond the second", 5000, repaintMarginMs},
        {"INT_MIN (no overflow)", INT_MIN, 1000 + repaintMarginMs},
        {"negative", -1, 1000 + repaintMarginMs},
        {"INT_MAX", INT_MAX, repaintMarginMs},
    };
    for (const DelayCase& c : cases) EXPECT_EQ(msUntilNextRepaint(c.msWithinSecond), c.delayMs) << c.what;
}

}  // namespace
}  // namespace quorvenda
