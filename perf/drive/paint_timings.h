#pragma once
// Summary of many timed paint-handler calls: the figures the benchmark prints.
#include <cstddef>
#include <vector>

namespace quorvenda::drive {

struct TimingSummary {
    std::size_t count = 0;
    double medianUs = 0;
    double p99Us = 0;  // nearest rank: at least 99 % of the calls took no longer
    double minUs = 0;
    double maxUs = 0;
    double meanUs = 0;
};

// All zero for no timings.
TimingSummary summariseTimings(std::vector<double> microseconds);

}  // namespace quorvenda::drive
