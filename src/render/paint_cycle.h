#pragma once
// One whole repaint of the dial. It keeps nothing between repaints but the
// event state: it reads the clock and both data files afresh, lays the dial
// out from the client size, draws every layer into an off-screen bitmap and
// copies that onto the window in one block, so nothing flickers.
#include <functional>
#include <optional>

#include "core/calendar.h"
#include "core/data_file.h"
#include "core/event_state.h"
#include "render/dial_layout.h"
#include "render/drawing_kit.h"
#include "render/gdi_api.h"

namespace quorvenda {

struct RepaintSources {
    // Every repaint states the DPI of the window it draws for.
    explicit RepaintSources(int windowDpi) : dpi(windowDpi) {}

    std::function<CalendarSnapshot()> takeSnapshot = takeCalendarSnapshot;
    DataFolder folder;  // empty: current directory
    int dpi;            // the window's, as the window keeps it
    TextEdges textEdges = TextEdges::smooth;
    // The font the texts are measured and drawn in, made for the repaint and
    // selected into both device contexts; none: the system font.
    std::optional<FontSpec> textFont;
};

// One whole repaint of the dial: everything after BeginPaint and before EndPaint.
// `paintDc` is used for measuring texts and as the target of the final copy.
void paintDial(GdiApi& gdi, DcHandle paintDc, int clientWidth, int clientHeight, EventState& state,
               const RepaintSources& sources);

}  // namespace quorvenda
