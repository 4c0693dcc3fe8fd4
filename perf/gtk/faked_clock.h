#pragma once
// The time the clock's window reads in the paint drive. The drive is linked
// with the C library's time() wrapped (-Wl,--wrap=time in perf/CMakeLists.txt),
// so the window's repaint, which reads the clock through time(), shows the
// second the drive sets instead of the system clock's. Only the drive's own
// objects and static libraries are wrapped: GLib and GTK, shared libraries,
// keep the real clock, and the drive's timing reads clock_gettime().
#include <ctime>

namespace quorvenda::drive {

// From now on time() gives `second`, seconds since the epoch.
void setFakedTime(std::time_t second);
// How often time() has been called, so the drive can check that a repaint read it.
long timeReads();

}  // namespace quorvenda::drive
