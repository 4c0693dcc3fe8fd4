#include "tools/trace_run.h"

#include "core/event_state.h"
#include "render/paint_cycle.h"
#include "render/recording_gdi.h"
#include "core/utf8_from_shift_jis.h"
#include "tools/trace_arguments.h"

namespace quorvenda {

namespace {

constexpr int usageError = 2;

// The recording surface with the text height of a target's system font (18
// pixels for Wine's Japanese one), which decides the dial's size when
// countdown lines stand above it. Widths stay 8 pixels a byte, as that font
// measures them too.
class TextHeightRecordingGdi : public RecordingGdi {
public:
    explicit TextHeightRecordingGdi(int textHeight) : textHeight_(textHeight) {}

    TextExtent getTextExtent(DcHandle dc, std::string_view text) override {
        TextExtent extent = RecordingGdi::getTextExtent(dc, text);
        if (extent.cy > 0) extent.cy = textHeight_;  // a failed measurement stays empty
        return extent;
    }

private:
    int textHeight_;
};

}  // namespace

int runTrace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << traceUsage << '\n';
        return out.flush() ? 0 : 1;
    }
    const auto parsed = parseTraceArguments(args);
    if (!parsed) {
        err << traceUsage << '\n';
        return usageError;
    }

    TextHeightRecordingGdi gdi(parsed->textHeight.value_or(RecordingGdi::textHeight));
    const DcHandle paintDc = gdi.openPaintDc();
    EventState state;
    // Without --dpi, a window at 96 DPI.
    RepaintSources sources(parsed->dpi.value_or(designDpi));
    const LocalTime at = parsed->at;
    sources.takeSnapshot = [at] { return snapshotFromLocalTime(at); };
    sources.folder.directory = parsed->directory;
    paintDial(gdi, paintDc, parsed->clientWidth, parsed->clientHeight, state, sources);

    for (const RecordedCall& call : gdi.calls()) {
        if (belongsToOffscreenTrace(call, paintDc)) out << traceLine(call, utf8FromShiftJis) << '\n';
    }
    return out.flush() ? 0 : 1;
}

}  // namespace quorvenda
