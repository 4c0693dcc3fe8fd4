// One whole repaint with arbitrary file contents, date-time and client size,
// against the recording surface, which also notices leaks and double deletes.
#include <algorithm>

#include "core/event_state.h"
#include "fuzz_folder.h"
#include "render/paint_cycle.h"
#include "render/recording_gdi.h"

using namespace quorvenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    LocalTime t;
    t.year = fuzzing::takeInt(data, size);
    t.month = fuzzing::takeInt(data, size);
    t.day = fuzzing::takeInt(data, size);
    t.hour = fuzzing::takeInt(data, size);
    t.minute = fuzzing::takeInt(data, size);
    t.second = fuzzing::takeInt(data, size);
    t.weekday = fuzzing::takeInt(data, size);
    const int width = static_cast<int>(static_cast<std::uint32_t>(fuzzing::takeInt(data, size)) % 10001);
    const int height = static_cast<int>(static_cast<std::uint32_t>(fuzzing::takeInt(data, size)) % 10001);
    const std::size_t colourBytes =
        std::min<std::size_t>(size, static_cast<std::uint8_t>(fuzzing::takeInt(data, size)));
    fuzzing::writeFile(colourSettingsFileName, data, colourBytes);
    fuzzing::writeFile(eventListFileName, data + colourBytes, size - colourBytes);

    static EventState state;  // outlives a repaint, as in the program
    RecordingGdi gdi;
    RepaintSources sources(designDpi);
    sources.takeSnapshot = [&t] { return snapshotFromLocalTime(t); };
    sources.folder = fuzzing::scratchFolder();
    paintDial(gdi, gdi.openPaintDc(), width, height, state, sources);
    if (!gdi.faults().empty() || gdi.liveObjectCount() != 0 || gdi.liveMemoryDcCount() != 0) __builtin_trap();
    return 0;
}
