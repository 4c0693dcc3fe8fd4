#include "perf/drive/win32/paint_driver.h"

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
    MSG msg{};
    for (; done < count && IsWindow(window); ++done) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return done;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
    return done;
}

std::int64_t unixTimeNs() {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const std::int64_t ticks = (static_cast<std::int64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return (ticks - unixEpochAsFileTime) * nsPerFileTimeTick;
}

int runDrive(HWND window, const DriveOptions& options, std::int64_t firstPaintUnixNs, std::FILE* out) {
    std::fprintf(out, "first_paint_unix_ns %lld\n", static_cast<long long>(firstPaintUnixNs));
    printSample(out, "at_start", sampleProcess());
    if (options.paints == 0 && options.soakRepaints == 0) return 0;
    PaintTimer timer(window);
    // Fills the caches of the system's drawing code before anything is measured.
    if (forceRepaints(window, options.warmupRepaints) != options.warmupRepaints) return 1;

    if (options.paints > 0) {
        timer.record(static_cast<std::size_t>(options.paints));
        const long done = forceRepaints(window, options.paints);
        const TimingSummary s = summariseTimings(timer.takeRecorded());
        std::fprintf(out, "paints %ld\n", done);
        std::fprintf(out, "paint_handler_calls %zu\n", s.count);
        std::fprintf(out, "paint_median_us %.1f\n", s.medianUs);
        std::fprintf(out, "paint_p99_us %.1f\n", s.p99Us);
        std::fprintf(out, "paint_min_us %.1f\n", s.minUs);
        std::fprintf(out, "paint_max_us %.1f\n", s.maxUs);
        std::fprintf(out, "paint_mean_us %.1f\n", s.meanUs);
        if (done != options.paints) return 1;
    }

    if (options.soakRepaints > 0) {
        const ProcessSample before = sampleProcess();
        const long done = forceRepaints(window, options.soakRepaints);
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
