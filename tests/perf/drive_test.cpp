// The drive programs' own logic: the figures they print and the soak's verdict.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "perf/drive/drive_options.h"
#include "perf/drive/paint_timings.h"
#include "perf/drive/soak_verdict.h"

namespace quorvenda::drive {
namespace {

TEST(PaintTimings, MedianAndNearestRankPercentile) {
    struct Case {
        const char* what;
        std::vector<double> us;
        double median, p99, min, max;
    };
    std::vector<double> hundred;
    for (int i = 100; i >= 1; --i) hundred.push_back(i);  // unsorted on purpose
    std::vector<double> withOutliers(990, 5.0);
    withOutliers.insert(withOutliers.begin(), 10, 900.0);  // 1 % slow calls: p99 is still a fast one
    std::vector<double> withMoreOutliers(989, 5.0);
    withMoreOutliers.insert(withMoreOutliers.end(), 11, 900.0);  // 1.1 %: p99 is a slow one
    const Case cases[] = {
        {"one call", {7}, 7, 7, 7, 7},
        {"odd count", {3, 1, 2}, 2, 3, 1, 3},
        {"even count: mean of the middle two", {4, 1, 3, 2}, 2.5, 4, 1, 4},
        {"a hundred", hundred, 50.5, 99, 1, 100},
        {"1 % outliers", withOutliers, 5, 5, 5, 900},
        {"1.1 % outliers", withMoreOutliers, 5, 900, 5, 900},
    };
    for (const auto& c : cases) {
        const TimingSummary s = summariseTimings(c.us);
        EXPECT_EQ(s.count, c.us.size()) << c.what;
        EXPECT_DOUBLE_EQ(s.medianUs, c.median) << c.what;
        EXPECT_DOUBLE_EQ(s.p99Us, c.p99) << c.what;
        EXPECT_DOUBLE_EQ(s.minUs, c.min) << c.what;
        EXPECT_DOUBLE_EQ(s.maxUs, c.max) << c.what;
    }
    const TimingSummary none = summariseTimings({});
    EXPECT_EQ(none.count, 0u);
    EXPECT_EQ(none.medianUs, 0);
}

TEST(SoakVerdict, FlatRunsPassAndAnyGrowthOfObjectsFails) {
    const ProcessSample before{69, 32 << 20, 8 << 20};
    struct Case {
        const char* what;
        ProcessSample after;
        bool passes;
    };
    const long repaints = 10000;
    const auto allowed = static_cast<std::uint64_t>(allowedMemoryGrowth(repaints));
    const Case cases[] = {
        {"nothing changed", before, true},
        {"fewer objects, less memory", {60, 30 << 20, 7 << 20}, true},
        {"working set alone grew", {69, 64 << 20, 8 << 20}, true},
        {"memory grew by exactly the bound", {69, 32 << 20, (8 << 20) + allowed}, true},
        {"one GDI object more", {70, 32 << 20, 8 << 20}, false},
        {"memory grew past the bound", {69, 32 << 20, (8 << 20) + allowed + 1}, false},
        {"objects not countable", {-1, 32 << 20, 8 << 20}, false},
        {"memory not measurable", {69, 32 << 20, 0}, false},
    };
    for (const auto& c : cases) {
        const SoakVerdict v = judgeSoak(before, c.after, repaints);
        EXPECT_EQ(v.passed, c.passes) << c.what << ": " << v.reason;
        EXPECT_EQ(v.reason.empty(), c.passes) << c.what;
    }
}

TEST(SoakVerdict, BoundCatchesTheSmallestLeakPerRepaint) {
    // One leaked heap block per repaint (smallestLeakBytes with its header)
    // must fail at both soak lengths the scripts use; the heap settling by a
    // step must not.
    for (const long repaints : {10000L, 100000L}) {
        const ProcessSample before{69, 0, 8 << 20};
        const ProcessSample leaking{69, 0, (8 << 20) + static_cast<std::uint64_t>(repaints) * smallestLeakBytes};
        const ProcessSample settled{69, 0, (8 << 20) + settlingBytes};
        EXPECT_FALSE(judgeSoak(before, leaking, repaints).passed) << repaints;
        EXPECT_TRUE(judgeSoak(before, settled, repaints).passed) << repaints;
    }
}

TEST(DriveOptions, ParsesCountsAndRejectsAnythingElse) {
    struct Case {
        std::vector<std::string> args;
        bool valid;
        bool measure = false;
        long paints = 0, soak = 0, warmup = 0;
        RepaintKind repaint = RepaintKind::forced;
    };
    const Case cases[] = {
        {{}, true, false, 0, 0, 200},
        {{"--first-paint"}, true, true, 0, 0, 200},
        {{"--paints", "1000"}, true, true, 1000, 0, 200},
        {{"--soak", "100000", "--paints", "3", "--warmup", "0"}, true, true, 3, 100000, 0},
        {{"--repaint", "tick", "--paints", "5"}, true, true, 5, 0, 200, RepaintKind::tick},
        {{"--paints", "5", "--repaint", "whole"}, true, true, 5, 0, 200, RepaintKind::whole},
        {{"--repaint", "sideways"}, false},
        {{"--repaint"}, false},
        {{"--paints", "0"}, false},
        {{"--paints", "-5"}, false},
        {{"--paints", "12x"}, false},
        {{"--paints", ""}, false},
        {{"--paints", "2000000000"}, false},
        {{"--paints"}, false},
        {{"--warmup", "-1"}, false},
        {{"--bogus"}, false},
        {{"1000"}, false},
    };
    for (const auto& c : cases) {
        std::string error;
        const auto options = parseDriveOptions(c.args, error);
        const std::string what = c.args.empty() ? "(none)" : c.args[0] + (c.args.size() > 1 ? " " + c.args[1] : "");
        ASSERT_EQ(options.has_value(), c.valid) << what;
        if (!c.valid) {
            EXPECT_FALSE(error.empty()) << what;
            continue;
        }
        EXPECT_EQ(options->measure, c.measure) << what;
        EXPECT_EQ(options->paints, c.paints) << what;
        EXPECT_EQ(options->soakRepaints, c.soak) << what;
        EXPECT_EQ(options->warmupRepaints, c.warmup) << what;
        EXPECT_EQ(options->repaint, c.repaint) << what;
    }
}

}  // namespace
}  // namespace quorvenda::drive
