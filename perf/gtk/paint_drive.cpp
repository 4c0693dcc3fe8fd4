// The native paint handler timed: the clock's own window (GtkMainWindow) or
// the fill-and-copy baseline, opened as its program opens it, then repainted
// as fast as it goes, each repaint being what the repaint timer does (the
// dial drawn into the kept image) followed by what GTK does to show it (a
// frame of the window begun, the image copied, the frame ended and flushed
// to the X server). Prints the figures as the Windows drives do.
//
//   quorvenda-drive-gtk clock|fill-copy [--first-paint] [--paints N] [--warmup N]
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
};

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
    const cairo_rectangle_int_t all{0, 0, gdk_window_get_width(window), gdk_window_get_height(window)};
    const CairoRegionPtr region(cairo_region_create_rectangle(&all));
    GdkDrawingContext* frame = gdk_window_begin_draw_frame(window, region.get());
    painter.draw(gdk_drawing_context_get_cairo_context(frame));
    gdk_window_end_draw_frame(window, frame);
    gdk_display_flush(gdk_window_get_display(window));
    return static_cast<double>(nowNs(CLOCK_MONOTONIC) - started) / nsPerUs;
}

void timePaints(const Painter& painter, const DriveOptions& options) {
    for (long i = 0; i < options.warmupRepaints; ++i) paintOnce(painter);
    std::vector<double> timings;
    timings.reserve(static_cast<std::size_t>(options.paints));
    for (long i = 0; i < options.paints; ++i) timings.push_back(paintOnce(painter));
    // The repaints' own queued redraws are left to GTK once the timing is done.
    while (g_main_context_iteration(nullptr, FALSE)) {
    }
    const quorvenda::drive::TimingSummary s = quorvenda::drive::summariseTimings(std::move(timings));
    std::printf("paints %ld\npaint_handler_calls %zu\n", options.paints, s.count);
    std::printf("paint_median_us %.1f\npaint_p99_us %.1f\n", s.medianUs, s.p99Us);
    std::printf("paint_min_us %.1f\npaint_max_us %.1f\npaint_mean_us %.1f\n", s.minUs, s.maxUs, s.meanUs);
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
    timePaints(painter, options);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc >= 2 ? argv[1] : "";
    std::string error;
    const std::optional<DriveOptions> options =
        quorvenda::drive::parseDriveOptions(std::vector<std::string>(argv + std::min(argc, 2), argv + argc), error);
    if ((mode != "clock" && mode != "fill-copy") || !options) {
        std::fprintf(stderr, "%s\nusage: %s clock|fill-copy [--first-paint] [--paints N] [--warmup N]\n", error.c_str(),
                     argv[0]);
        return usageExitCode;
    }
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) return failureExitCode;
    if (mode == "clock") {
        quorvenda::GtkMainWindow window;
        window.show();
        using quorvenda::GtkPaintDrive;
        return drive({GtkPaintDrive::widget(window), [&] { GtkPaintDrive::repaint(window); },
                      [&](cairo_t* cr) { return GtkPaintDrive::draw(window, cr); }},
                     *options);
    }
    quorvenda::drive::FillCopyWindow window("quorvenda-baseline fill-copy", true);
    window.show();
    return drive({window.widget(), [&] { window.repaint(); }, [&](cairo_t* cr) { return window.draw(cr); }}, *options);
}
