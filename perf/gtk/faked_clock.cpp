#include "perf/gtk/faked_clock.h"

// The linker sends every call to time() in this program's own objects and
// static libraries to __wrap_time, and __real_time to the C library's.
extern "C" std::time_t __real_time(std::time_t* out);
extern "C" std::time_t __wrap_time(std::time_t* out);

namespace {

bool faked = false;
std::time_t fakedSecond = 0;
long reads = 0;

}  // namespace

extern "C" std::time_t __wrap_time(std::time_t* out) {
    ++reads;
    if (!faked) return __real_time(out);
    if (out != nullptr) *out = fakedSecond;
    return fakedSecond;
}

namespace quorvenda::drive {

void setFakedTime(std::time_t second) {
    faked = true;
    fakedSecond = second;
}

long timeReads() {
    return reads;
}

}  // namespace quorvenda::drive
