// Cost of one whole portable repaint (clock, both files from the page cache,
// seven countdowns, layout, every drawing call) against the null surface.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/colour_settings.h"
#include "core/event_state.h"
#include "perf/bench/null_gdi.h"
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

void repaintWithSlot1Name(benchmark::State& state, const std::string& name, int dpi) {
    BenchFolder dir(name);
    NullGdi gdi;
    EventState events;
    RepaintSources sources(dpi);
    sources.folder = dir.folder();
    // The client area of the window at that DPI.
    const int width = scaledToDpi(292, dpi);
    const int height = scaledToDpi(406, dpi);
    for (auto _ : state) paintDial(gdi, DcHandle{1}, width, height, events, sources);
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
BENCHMARK(BM_RepaintWith1MBEventName)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quorvenda

BENCHMARK_MAIN();
