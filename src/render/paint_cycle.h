#pragma once
// One whole repaint of the dial. It keeps nothing between repaints but the
// event state: it reads the clock and both data files afresh, lays the dial
// out from the client size, draws every layer into an off-screen bitmap and
// copies that onto the window in one block, so nothing flickers.
#include <functional>

#include "core/calendar.h"
#include "core/data_file.h"
#include "core/event_state.h"
#include "render/dial_layout.h"
#include "render/drawing_kit.h"
#include "render/gdi_api.h"

namespace quorvenda {

// How a text's edges meet the background. hard: the texts must not be
// antialiased, because the window keys its white background out and a pixel
// half white would stay behind on the desktop as a light rim round the glyphs.
enum class TextEdges { smooth, hard };

struct RepaintSources {
    // Every repaint states the DPI of the window it draws for.
    explicit RepaintSources(int windowDpi) : dpi(windowDpi) {}

    std::function<CalendarSnapshot()> takeSnapshot = takeCalendarSnapshot;
    DataFolder folder;  // empty: current directory
    int dpi;            // the window's, as the window keeps it
    TextEdges textEdges = TextEdges::smooth;
};

// One whole repaint of the dial: everything after BeginPaint and before EndPaint.
// `paintDc` is used for measuring texts and as the target of the final copy.
// `textFont`, when given, is selected into both device contexts for the whole
// repaint, so the texts are measured and drawn in it; the caller deletes it
// after the repaint. Without it they keep the device contexts' system font.
void paintDial(GdiApi& gdi, DcHandle paintDc, int clientWidth, int clientHeight, EventState& state,
               const RepaintSources& sources, GdiObject textFont = noObject);

}  // namespace quorvenda
