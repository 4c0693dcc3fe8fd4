// quorvenda-trace: runs one repaint against the recording surface and prints
// what it draws on the off-screen surface, one call a line, so that anyone can
// see without Windows what the dial shows for a day, a window size and a pair
// of data files.
#include <cstdio>
#include <string>
#include <vector>

#include "core/event_state.h"
#include "render/paint_cycle.h"
#include "render/recording_gdi.h"
#include "tools/shift_jis_text.h"
#include "tools/trace_arguments.h"

namespace {
constexpr int usageError = 2;
}

int main(int argc, char** argv) {
    using namespace quorvenda;
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::printf("%s\n", traceUsage);
        return 0;
    }
    const auto parsed = parseTraceArguments(args);
    if (!parsed) {
        std::fprintf(stderr, "%s\n", traceUsage);
        return usageError;
    }

    RecordingGdi gdi;
    const DcHandle paintDc = gdi.openPaintDc();
    EventState state;
    RepaintSources sources;
    const LocalTime at = parsed->at;
    sources.takeSnapshot = [at] { return snapshotFromLocalTime(at); };
    sources.folder.directory = parsed->directory;
    paintDial(gdi, paintDc, parsed->clientWidth, parsed->clientHeight, state, sources);

    for (const RecordedCall& call : gdi.calls()) {
        if (!belongsToOffscreenTrace(call, paintDc)) continue;
        const std::string line = traceLine(call, shiftJisToUtf8);
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
