#pragma once
// Whether a long run of repaints leaked: GDI objects must not grow at all,
// and the process's private memory may grow by less than the smallest leak
// a repaint could make, so any per-repaint leak fails while the heap's own
// settling does not.
#include <cstdint>
#include <string>

namespace quorvenda::drive {

// One look at the process: live GDI objects and memory in bytes.
struct ProcessSample {
    long gdiObjects = 0;
    std::uint64_t workingSetBytes = 0;
    std::uint64_t privateBytes = 0;
};

// The smallest heap block with its header: what one leaked allocation per
// repaint costs at least.
inline constexpr std::uint64_t smallestLeakBytes = 32;
// Heap segments and the caches of the system's drawing code settle in steps
// of this size even without a leak.
inline constexpr std::uint64_t settlingBytes = 64 * 1024;

// Half the smallest per-repaint leak over the whole run, plus one settling
// step; so a soak needs more than 2 * settlingBytes / smallestLeakBytes
// (4096) repaints before it can see a leak of one block per repaint.
std::uint64_t allowedMemoryGrowth(long repaints);

struct SoakVerdict {
    long gdiGrowth = 0;
    std::int64_t privateGrowth = 0;
    std::uint64_t allowedGrowth = 0;
    bool passed = false;
    std::string reason;  // empty when passed
};

SoakVerdict judgeSoak(const ProcessSample& before, const ProcessSample& after, long repaints);

}  // namespace quorvenda::drive
