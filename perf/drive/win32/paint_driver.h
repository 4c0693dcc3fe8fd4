#pragma once
// Drives a window's paint handler as fast as it goes and times every call.
#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <functional>
#include <vector>

#include "perf/drive/drive_options.h"

namespace quorvenda::drive {

// While it lives, every WM_PAINT that reaches the window goes through a
// timing procedure in front of the window's own (the window is subclassed,
// its code untouched). One at a time.
class PaintTimer {
public:
    explicit PaintTimer(HWND window);
    // Puts the window's own procedure back.
    ~PaintTimer();
    PaintTimer(const PaintTimer&) = delete;
    PaintTimer& operator=(const PaintTimer&) = delete;

    // Starts keeping the duration of each call, in microseconds, dropping any kept before.
    void record(std::size_t expectedCalls);
    std::vector<double> takeRecorded();

private:
    static LRESULT CALLBACK timingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_;
    WNDPROC ownProc_;
    bool recording_ = false;
    std::vector<double> durationsUs_;
    double ticksPerUs_;
};

// Invalidates the whole window and has it painted at once, `count` times,
// handling whatever else arrives in between as the message loop would.
// Returns how many were done: fewer when the window went away.
long forceRepaints(HWND window, long count);

// One tick of the window's own repaint timer, with its clock one second on;
// `whole`: the window first forgets what it drew, so the tick draws all of it.
// Empty for a window that has none.
using WindowTick = std::function<void(bool whole)>;

// What `count` ticks cost: each the tick and the paint it causes, timed
// together (what the timer's handler and WM_PAINT take), and the share of the
// client area each invalidated. Handles whatever else arrives in between as
// the message loop would. Fewer than `count` when the window went away.
struct TickTimings {
    std::vector<double> durationsUs;
    std::vector<double> invalidatedShares;
};
TickTimings timeTicks(HWND window, const WindowTick& tick, bool whole, long count);
// The same ticks untimed and unrecorded, for a soak whose memory must not
// grow with what it keeps: how many were done.
long runTicks(HWND window, const WindowTick& tick, bool whole, long count);

// The wall-clock time now in nanoseconds since 1970, comparable with the
// Unix clock of the machine Wine runs on.
std::int64_t unixTimeNs();

// Runs what the options ask for against the window, whose first paint ended
// at `firstPaintUnixNs`, with `tick` for --repaint tick and whole; prints one
// "name value" line per figure to `out`. Returns the exit code: 0, or 1 when
// a soak found growth, 2 when the window has no tick to time.
int runDrive(HWND window, const WindowTick& tick, const DriveOptions& options, std::int64_t firstPaintUnixNs,
             std::FILE* out);

}  // namespace quorvenda::drive
