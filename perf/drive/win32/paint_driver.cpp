#include "perf/drive/win32/paint_driver.h"

#include <memory>
#include <type_traits>

#include "perf/drive/paint_timings.h"
#include "perf/drive/soak_verdict.h"
#include "perf/drive/win32/process_counters.h"

namespace quorvenda::drive {

namespace {

PaintTimer* activeTimer = nullptr;

constexpr std::int64_t unixEpochAsFileTime = 116444736000000000;  // 1970-01-01 in 100 ns steps since 1601
constexpr std::int64_t nsPerFileTimeTick = 100;
constexpr double bytesPerKiB = 1024.0;

double ticksPerMicrosecond() {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e6;
}

std::int64_t performanceTicks() {
    LARGE_INTEGER now{};
    QueryPerformanceCounter(&now);
    return now.QuadPart;
}

void printSample(std::FILE* out, const char* when, const ProcessSample& s) {
    std::fprintf(out, "gdi_objects_%s %ld\n", when, s.gdiObjects);
    std::fprintf(out, "working_set_kib_%s %.0f\n", when, static_cast<double>(s.workingSetBytes) / bytesPerKiB);
    std::fprintf(out, "private_kib_%s %.0f\n", when, static_cast<double>(s.privateBytes) / bytesPerKiB);
}

// Handles what has arrived, as the message loop would; false at WM_QUIT.
bool pumpMessages() {
    MSG msg{};
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) return false;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

struct DeleteRegion {
    void operator()(HRGN region) const { DeleteObject(region); }
};
using RegionPtr = std::unique_ptr<std::remove_pointer_t<HRGN>, DeleteRegion>;

// The window's update region as a share of its client area: the rectangles
// that make it up do not overlap, so their areas add up.
double invalidatedShare(HWND window) {
    RECT client{};
    GetClientRect(window, &client);
    const double clientArea = static_cast<double>(client.right) * client.bottom;
    RegionPtr region(CreateRectRgn(0, 0, 0, 0));
    if (!region || clientArea <= 0 || GetUpdateRgn(window, region.get(), FALSE) == ERROR) return 0;
    const DWORD size = GetRegionData(region.get(), 0, nullptr);
    std::vector<unsigned char> bytes(size);
    auto* data = reinterpret_cast<RGNDATA*>(bytes.data());
    if (size == 0 || GetRegionData(region.get(), size, data) != size) return 0;
    const auto* rects = reinterpret_cast<const RECT*>(data->Buffer);
    double area = 0;
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        area += static_cast<double>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    return area / clientArea;
}

void printTimings(std::FILE* out, const char* name, const TimingSummary& s) {
    std::fprintf(out, "%s_median_us %.1f\n", name, s.medianUs);
    std::fprintf(out, "%s_p99_us %.1f\n", name, s.p99Us);
    std::fprintf(out, "%s_min_us %.1f\n", name, s.minUs);
    std::fprintf(out, "%s_max_us %.1f\n", name, s.maxUs);
    std::fprintf(out, "%s_mean_us %.1f\n", name, s.meanUs);
}

}  // namespace

PaintTimer::PaintTimer(HWND window)
    : window_(window),
      ownProc_(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC))),
      ticksPerUs_(ticksPerMicrosecond()) {
    activeTimer = this;
    SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PaintTimer::timingProc));
}

PaintTimer::~PaintTimer() {
    if (IsWindow(window_)) SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ownProc_));
    activeTimer = nullptr;
}

void PaintTimer::record(std::size_t expectedCalls) {
    durationsUs_.clear();
    durationsUs_.reserve(expectedCalls);
    recording_ = true;
}

std::vector<double> PaintTimer::takeRecorded() {
    recording_ = false;
    return std::move(durationsUs_);
}

LRESULT CALLBACK PaintTimer::timingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    PaintTimer* self = activeTimer;
    if (message != WM_PAINT) return CallWindowProcW(self->ownProc_, window, message, wParam, lParam);
    const std::int64_t start = performanceTicks();
    const LRESULT result = CallWindowProcW(self->ownProc_, window, message, wParam, lParam);
    const std::int64_t end = performanceTicks();
    // Growth of the vector stays outside the timed call: record() reserves.
    if (self->recording_) self->durationsUs_.push_back(static_cast<double>(end - start) / self->ticksPerUs_);
    return result;
}

long forceRepaints(HWND window, long count) {
    long done = 0;
    for (; done < count && IsWindow(window); ++done) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        if (!pumpMessages()) return done;
    }
    return done;
}

namespace {

// Ticks up to `count` times, each followed by the WM_PAINT it caused;
// `each(tickUs, shareInvalidated)` after each, with the tick's and the
// paint's time together. Returns how many were done.
template <typename Each>
long eachTick(HWND window, const WindowTick& tick, bool whole, long count, Each each) {
    const double ticksPerUs = ticksPerMicrosecond();
    long done = 0;
    while (done < count && IsWindow(window)) {
        const std::int64_t start = performanceTicks();
        tick(whole);
        const std::int64_t ticked = performanceTicks();
        // Read between the two timed parts, so the reading costs neither.
        const double share = invalidatedShare(window);
        const std::int64_t paintStart = performanceTicks();
        UpdateWindow(window);  // sends the WM_PAINT the tick caused, if any
        const std::int64_t end = performanceTicks();
        each(static_cast<double>((ticked - start) + (end - paintStart)) / ticksPerUs, share);
        ++done;
        if (!pumpMessages()) break;
    }
    return done;
}

}  // namespace

TickTimings timeTicks(HWND window, const WindowTick& tick, bool whole, long count) {
    TickTimings timings;
    timings.durationsUs.reserve(static_cast<std::size_t>(count));
    timings.invalidatedShares.reserve(static_cast<std::size_t>(count));
    eachTick(window, tick, whole, count, [&](double us, double share) {
        timings.durationsUs.push_back(us);
        timings.invalidatedShares.push_back(share);
    });
    return timings;
}

long runTicks(HWND window, const WindowTick& tick, bool whole, long count) {
    return eachTick(window, tick, whole, count, [](double, double) {});
}

std::int64_t unixTimeNs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - unixEpochAsFileTime) * nsPerFileTimeTick;
}

int runDrive(HWND window, const WindowTick& tick, const DriveOptions& options, std::int64_t firstPaintUnixNs,
             std::FILE* out) {
    std::fprintf(out, "first_paint_unix_ns %lld\n", static_cast<long long>(firstPaintUnixNs));
    printSample(out, "at_start", sampleProcess());
    if (options.paints == 0 && options.soakRepaints == 0) return 0;
    const bool ticking = options.repaint != RepaintKind::forced;
    if (ticking && !tick) {
        std::fprintf(out, "error: this window has no tick to time\n");
        return 2;
    }
    const bool whole = options.repaint == RepaintKind::whole;
    // Each repaint as the options ask: a forced one, or a tick and its paint.
    const auto repaint = [&](long count) {
        return ticking ? runTicks(window, tick, whole, count) : forceRepaints(window, count);
    };
    PaintTimer timer(window);
    // Fills the caches of the system's drawing code before anything is measured.
    if (repaint(options.warmupRepaints) != options.warmupRepaints) return 1;

    if (options.paints > 0) {
        timer.record(static_cast<std::size_t>(options.paints));
        long done = 0;
        if (ticking) {
            const TickTimings ticks = timeTicks(window, tick, whole, options.paints);
            done = static_cast<long>(ticks.durationsUs.size());
            printTimings(out, "paint", summariseTimings(ticks.durationsUs));
            double shares = 0;
            for (const double share : ticks.invalidatedShares) shares += share;
            std::fprintf(out, "invalidated_share_mean %.4f\n", done > 0 ? shares / done : 0.0);
        } else {
            done = forceRepaints(window, options.paints);
        }
        const TimingSummary s = summariseTimings(timer.takeRecorded());
        std::fprintf(out, "paints %ld\n", done);
        std::fprintf(out, "paint_handler_calls %zu\n", s.count);
        // With ticks, WM_PAINT alone; otherwise it is the whole repaint.
        printTimings(out, ticking ? "wm_paint" : "paint", s);
        if (done != options.paints) return 1;
    }

    if (options.soakRepaints > 0) {
        const ProcessSample before = sampleProcess();
        const long done = repaint(options.soakRepaints);
        const ProcessSample after = sampleProcess();
        const SoakVerdict v = judgeSoak(before, after, done);
        std::fprintf(out, "soak_repaints %ld\n", done);
        printSample(out, "before", before);
        printSample(out, "after", after);
        std::fprintf(out, "private_growth_bytes %lld\n", static_cast<long long>(v.privateGrowth));
        std::fprintf(out, "private_growth_allowed_bytes %llu\n", static_cast<unsigned long long>(v.allowedGrowth));
        const bool completed = done == options.soakRepaints;
        std::fprintf(out, "soak_verdict %s\n",
                     !completed ? "FAILED: the window went away"
                     : v.passed ? "ok"
                                : ("FAILED: " + v.reason).c_str());
        if (!completed || !v.passed) return 1;
    }
    return 0;
}

}  // namespace quorvenda::drive
