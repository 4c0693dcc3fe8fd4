// Cost of one whole portable repaint (clock, both files from the page cache,
// seven countdowns, layout, every drawing call) against the null surface, and
// of the same repaint drawn through Cairo.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/colour_settings.h"
#include "core/event_state.h"
#include "perf/bench/null_gdi.h"
#include "render/cairo/cairo_gdi.h"
#include "render/cairo/cairo_handles.h"
#include "render/paint_cycle.h"

namespace quorvenda {
namespace {

// A folder with a seven-event list (slot 1 named `name`) and a colour settings file.
class BenchFolder {
public:
    explicit BenchFolder(const std::string& name) {
        std::string pattern = (std::filesystem::temp_directory_path() / "quorvenda-bench-XXXXXX").string();
        path_ = mkdtemp(pattern.data());
        std::ofstream events(path_ / eventListFileName, std::ios::binary);
        const CalendarSnapshot now = takeCalendarSnapshot();
        for (int s = 1; s <= slotCount; ++s) {
            const int month = (now.month + s / 3 - 1) % 12 + 1;
            events << (s == 1 ? name : "予定" + std::to_string(s)) << "\r\n1\r\n1\r\n"
                   << now.year + 1 << "\r\n"
                   << month << "\r\n"
                   << s * 4 << "\r\n";
        }
        std::ofstream(path_ / colourSettingsFileName, std::ios::binary) << "0\r\n0\r\n128\r\n0\r\n100\r\n";
    }
    ~BenchFolder() { std::filesystem::remove_all(path_); }
    DataFolder folder() const { return DataFolder{path_.string()}; }

private:
    std::filesystem::path path_;
};

// The client area of the window at `dpi`.
int clientWidthAt(int dpi) {
    return scaledToDpi(292, dpi);
}
int clientHeightAt(int dpi) {
    return scaledToDpi(406, dpi);
}

void repaintOn(benchmark::State& state, GdiApi& gdi, DcHandle paintDc, const std::string& name, int dpi) {
    BenchFolder dir(name);
    EventState events;
    RepaintSources sources(dpi);
    sources.folder = dir.folder();
    for (auto _ : state) paintDial(gdi, paintDc, clientWidthAt(dpi), clientHeightAt(dpi), events, sources);
}

void repaintWithSlot1Name(benchmark::State& state, const std::string& name, int dpi) {
    NullGdi gdi;
    repaintOn(state, gdi, DcHandle{1}, name, dpi);
}

// The same repaint drawn into a window-sized image surface through Cairo and
// Pango, with the interface font at the DPI's size.
void repaintOnCairo(benchmark::State& state, int dpi) {
    constexpr int interfaceFontHeight = 16;
    CairoGdi gdi(CairoSystemFont{"IPAGothic", scaledToDpi(interfaceFontHeight, dpi)});
    const CairoSurfacePtr window(
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, clientWidthAt(dpi), clientHeightAt(dpi)));
    const DcHandle paintDc = gdi.createSurfaceDC(window.get());
    repaintOn(state, gdi, paintDc, "会議", dpi);
    gdi.deleteDC(paintDc);
}

void BM_Repaint(benchmark::State& state) {
    repaintWithSlot1Name(state, "会議", designDpi);
}
void BM_RepaintWith1MBEventName(benchmark::State& state) {
    repaintWithSlot1Name(state, std::string(1 << 20, 'x'), designDpi);
}

void BM_RepaintAt144Dpi(benchmark::State& state) {
    repaintWithSlot1Name(state, "会議", 144);
}

void BM_CairoRepaint(benchmark::State& state) {
    repaintOnCairo(state, designDpi);
}
void BM_CairoRepaintAt144Dpi(benchmark::State& state) {
    repaintOnCairo(state, 144);
}

void BM_ReadBothFiles(benchmark::State& state) {
    BenchFolder dir("会議");
    EventState events;
    for (auto _ : state) {
        benchmark::DoNotOptimize(readColourSettings(dir.folder()));
        benchmark::DoNotOptimize(readEventList(events.slot1Lines, dir.folder()));
    }
}

BENCHMARK(BM_Repaint)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadBothFiles)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintAt144Dpi)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CairoRepaint)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CairoRepaintAt144Dpi)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintWith1MBEventName)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvenda

BENCHMARK_MAIN();
