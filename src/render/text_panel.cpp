#include "render/text_panel.h"

#include "core/palette.h"
#include "core/wrapping_int.h"
#include "render/shadowed_text.h"

namespace quorvenda {

namespace {

void drawCountdownLines(CDC& dc, const CountdownTexts& texts, const DialLayout& l) {
    // Slots without a line add no height, so the lines close up in slot order.
    int y = l.clientTop;
    for (int slot = 1; slot <= slotCount; ++slot) {
        const auto i = static_cast<std::size_t>(slot - 1);
        if (texts[i]) drawShadowedText(dc, Point{l.clientLeft, y}, shadowOffset(l), slotColour(slot), *texts[i]);
        y = wrapAdd(y, l.slotTextHeight[i]);
    }
}

void drawFooterLines(CDC& dc, const CDC& measuring, const DialLayout& l) {
    dc.SetTextColor(footerColour);
    const int webHeight = measuring.GetTextExtent(webAddressLine).cy;
    dc.TextOut(l.clientLeft, wrapSub(l.clientHeight, webHeight), webAddressLine);
    // Two of its own line heights above the bottom: both lines share one font.
    const int versionHeight = measuring.GetTextExtent(versionLine).cy;
    dc.TextOut(l.clientLeft, wrapSub(l.clientHeight, wrapMul(2, versionHeight)), versionLine);
}

// Date at the bottom, time above it, weekday above that, each flush with the right edge.
void drawClockTexts(CDC& dc, const CDC& measuring, const DialLayout& l, const CalendarSnapshot& s, Colour colour) {
    int bottom = l.clientHeight;
    for (const std::string* text : {&s.dateText, &s.timeText, &s.weekdayText}) {
        const TextExtent extent = measuring.GetTextExtent(*text);
        bottom = wrapSub(bottom, extent.cy);
        drawShadowedText(dc, Point{wrapSub(l.clientWidth, extent.cx), bottom}, shadowOffset(l), colour, *text);
    }
}

}  // namespace

void drawTextPanel(CDC& offscreen, const CDC& measuring, const TextPanelInputs& in) {
    drawCountdownLines(offscreen, in.countdownTexts, in.layout);
    drawFooterLines(offscreen, measuring, in.layout);
    drawClockTexts(offscreen, measuring, in.layout, in.snapshot, in.handColour);
}

}  // namespace quorvenda
