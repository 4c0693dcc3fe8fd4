#include "perf/drive/paint_timings.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace quorvenda::drive {

namespace {

// The smallest value with at least `percent` of all values at or below it.
double nearestRank(const std::vector<double>& sorted, double percent) {
    const auto rank = static_cast<std::size_t>(std::ceil(percent / 100.0 * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

TimingSummary summariseTimings(std::vector<double> microseconds) {
    TimingSummary s;
    s.count = microseconds.size();
    if (microseconds.empty()) return s;
    std::sort(microseconds.begin(), microseconds.end());
    const std::size_t mid = s.count / 2;
    s.medianUs = s.count % 2 == 1 ? microseconds[mid] : (microseconds[mid - 1] + microseconds[mid]) / 2;
    s.p99Us = nearestRank(microseconds, 99);
    s.minUs = microseconds.front();
    s.maxUs = microseconds.back();
    s.meanUs = std::accumulate(microseconds.begin(), microseconds.end(), 0.0) / static_cast<double>(s.count);
    return s;
}

}  // namespace quorvenda::drive
