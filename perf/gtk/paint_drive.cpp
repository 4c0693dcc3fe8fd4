// The native paint handler timed: the clock's own window (GtkMainWindow) or
// the fill-and-copy baseline, opened as its program opens it, then repainted
// as fast as it goes, each repaint being what the repaint timer does (the
// dial drawn into the kept image) followed by what GTK does to show it (a
// frame of what the repaint invalidated begun, the image copied, the frame
// ended and flushed to the X server). Prints the figures as the Windows
// drives do. The clock reads a faked time (faked_clock.h):
//   clock        every repaint a day, an hour, a minute and a second from the
//                one before, back and forth: every hand and text moves
//   clock-tick   every repaint a second after the one before, as the timer
//                ticks: only the second hand and the time text move (the
//                repaints that turn the minute are made but not timed)
//
//   quorvenda-drive-gtk clock|clock-tick|fill-copy [--first-paint] [--paints N] [--warmup N]
#include <gtk/gtk.h>

#include <cstdio>
#include <ctime>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/gtk/main_window.h"
#include "perf/drive/drive_options.h"
#include "perf/drive/paint_timings.h"
#include "perf/gtk/faked_clock.h"
#include "perf/gtk/fill_copy_window.h"

namespace quorvenda {

// Reaches the clock window's repaint and draw handler, which its program calls from GTK's signals.
class GtkPaintDrive {
public:
    static GtkWidget* widget(GtkMainWindow& window) { return window.window_; }
    static void repaint(GtkMainWindow& window) { window.repaint(); }
    static bool draw(GtkMainWindow& window, cairo_t* cr) { return window.onDraw(cr); }
};

}  // namespace quorvenda

namespace {

using quorvenda::CairoRegionPtr;
using quorvenda::drive::DriveOptions;

constexpr int failureExitCode = 1;
constexpr int usageExitCode = 2;
constexpr double nsPerUs = 1000.0;
constexpr long long nsPerSecond = 1000000000LL;
constexpr std::time_t secondsPerMinute = 60;
constexpr std::time_t dayHourMinuteSecond = ((24 + 1) * 60 + 1) * 60 + 1;

// The C library's clocks: <chrono> does not compile with the Shift-JIS execution character set.
long long nowNs(clockid_t clock) {
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<long long>(now.tv_sec) * nsPerSecond + now.tv_nsec;
}

struct Painter {
    GtkWidget* widget;
    std::function<void()> repaint;
    std::function<bool(cairo_t*)> draw;
    // Sets the clock for the repaint of that number; false: the repaint is not timed. Empty: no clock.
    std::function<bool(long)> setClock;
};

// The faked clock's steps, from the start of the minute the drive started in.
std::function<bool(long)> clockSteps(const std::string& mode) {
    const std::time_t start = std::time(nullptr) / secondsPerMinute * secondsPerMinute;
    if (mode == "clock-tick") {
        return [start](long repaint) {
            const std::time_t now = start + 1 + repaint;
            quorvenda::drive::setFakedTime(now);
            return now % secondsPerMinute != 0;
        };
    }
    return [start](long repaint) {
        quorvenda::drive::setFakedTime(start + repaint % 2 * dayHourMinuteSecond);
        return true;
    };
}

// GTK's frame clock says when a frame has been painted: the first one ends the wait.
void waitForFirstPaint(GtkWidget* widget) {
    bool painted = false;
    GdkFrameClock* clock = gdk_window_get_frame_clock(gtk_widget_get_window(widget));
    const gulong handler = g_signal_connect(
        clock, "after-paint", G_CALLBACK(+[](GdkFrameClock*, gpointer done) { *static_cast<bool*>(done) = true; }),
        &painted);
    while (!painted) g_main_context_iteration(nullptr, TRUE);
    g_signal_handler_disconnect(clock, handler);
}

double paintOnce(const Painter& painter) {
    const long long started = nowNs(CLOCK_MONOTONIC);
    painter.repaint();
    GdkWindow* window = gtk_widget_get_window(painter.widget);
    // What the repaint invalidated, taken from GTK, which would draw it next: no more, no less.
    const CairoRegionPtr region(gdk_window_get_update_area(window));
    if (region) {
        GdkDrawingContext* frame = gdk_window_begin_draw_frame(window, region.get());
        painter.draw(gdk_drawing_context_get_cairo_context(frame));
        gdk_window_end_draw_frame(window, frame);
    }
    gdk_display_flush(gdk_window_get_display(window));
    return static_cast<double>(nowNs(CLOCK_MONOTONIC) - started) / nsPerUs;
}

// Sets the clock for repaint number `repaint`, if there is one: whether that repaint is timed.
bool setClock(const Painter& painter, long repaint) {
    return !painter.setClock || painter.setClock(repaint);
}

bool timePaints(const Painter& painter, const DriveOptions& options) {
    long repaint = 0;
    const long readsBefore = quorvenda::drive::timeReads();
    for (; repaint < options.warmupRepaints; ++repaint) {
        setClock(painter, repaint);
        paintOnce(painter);
    }
    std::vector<double> timings;
    timings.reserve(static_cast<std::size_t>(options.paints));
    while (static_cast<long>(timings.size()) < options.paints) {
        const bool timed = setClock(painter, repaint++);
        const double us = paintOnce(painter);
        if (timed) timings.push_back(us);
    }
    if (painter.setClock && quorvenda::drive::timeReads() - readsBefore < repaint) {
        std::fprintf(stderr, "the repaints did not read the faked clock: they do not read the time through time()\n");
        return false;
    }
    // The repaints' own queued redraws are left to GTK once the timing is done.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    const quorvenda::drive::TimingSummary s = quorvenda::drive::summariseTimings(std::move(timings));
    std::printf("paints %ld\npaint_handler_calls %zu\n", options.paints, s.count);
    std::printf("paint_median_us %.1f\npaint_p99_us %.1f\n", s.medianUs, s.p99Us);
    std::printf("paint_min_us %.1f\npaint_max_us %.1f\npaint_mean_us %.1f\n", s.minUs, s.maxUs, s.meanUs);
    return true;
}

int drive(const Painter& painter, const DriveOptions& options) {
    waitForFirstPaint(painter.widget);
    if (!options.measure) {
        gtk_main();
        return 0;
    }
    if (options.paints == 0 && options.soakRepaints == 0) {
        std::printf("first_paint_unix_ns %lld\n", nowNs(CLOCK_REALTIME));
        return 0;
    }
    if (options.soakRepaints > 0) {
        std::fprintf(stderr, "--soak: the native soak is scripts/soak.sh's X11 case\n");
        return usageExitCode;
    }
    return timePaints(painter, options) ? 0 : failureExitCode;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc >= 2 ? argv[1] : "";
    std::string error;
    const std::optional<DriveOptions> options =
        quorvenda::drive::parseDriveOptions(std::vector<std::string>(argv + std::min(argc, 2), argv + argc), error);
    if ((mode != "clock" && mode != "clock-tick" && mode != "fill-copy") || !options) {
        std::fprintf(stderr, "%s\nusage: %s clock|clock-tick|fill-copy [--first-paint] [--paints N] [--warmup N]\n",
                     error.c_str(), argv[0]);
        return usageExitCode;
    }
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) return failureExitCode;
    if (mode != "fill-copy") {
        quorvenda::GtkMainWindow window;
        window.show();
        using quorvenda::GtkPaintDrive;
        return drive({GtkPaintDrive::widget(window), [&] { GtkPaintDrive::repaint(window); },
                      [&](cairo_t* cr) { return GtkPaintDrive::draw(window, cr); }, clockSteps(mode)},
                     *options);
    }
    quorvenda::drive::FillCopyWindow window("quorvenda-baseline fill-copy", true);
    window.show();
    return drive({window.widget(), [&] { window.repaint(); }, [&](cairo_t* cr) { return window.draw(cr); }, {}},
                 *options);
}
