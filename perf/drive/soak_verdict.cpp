#include "perf/drive/soak_verdict.h"

namespace quorvenda::drive {

std::uint64_t allowedMemoryGrowth(long repaints) {
    const auto count = static_cast<std::uint64_t>(repaints > 0 ? repaints : 0);
    return count * (smallestLeakBytes / 2) + settlingBytes;
}

SoakVerdict judgeSoak(const ProcessSample& before, const ProcessSample& after, long repaints) {
    SoakVerdict v;
    v.gdiGrowth = after.gdiObjects - before.gdiObjects;
    v.privateGrowth = static_cast<std::int64_t>(after.privateBytes) - static_cast<std::int64_t>(before.privateBytes);
    v.allowedGrowth = allowedMemoryGrowth(repaints);
    if (before.gdiObjects <= 0 || after.gdiObjects <= 0) {
        v.reason = "GDI objects could not be counted";
    } else if (before.privateBytes == 0 || after.privateBytes == 0) {
        v.reason = "private memory could not be measured";
    } else if (v.gdiGrowth > 0) {
        v.reason = "GDI objects grew by " + std::to_string(v.gdiGrowth);
    } else if (v.privateGrowth > static_cast<std::int64_t>(v.allowedGrowth)) {
        v.reason = "private memory grew by " + std::to_string(v.privateGrowth) + " bytes, more than " +
                   std::to_string(v.allowedGrowth);
    }
    v.passed = v.reason.empty();
    return v;
}

}  // namespace quorvenda::drive
