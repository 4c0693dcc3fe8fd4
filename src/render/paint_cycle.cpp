#include "render/paint_cycle.h"

#include "core/colour_settings.h"
#include "core/countdown.h"
#include "core/event_list.h"
#include "core/palette.h"
#include "render/bitmap_dc.h"
#include "render/dial_face.h"
#include "render/event_marks.h"
#include "render/gdi_objects.h"
#include "render/text_panel.h"
#include "render/visible_text.h"

namespace quorvenda {

namespace {

struct SlotTexts {
    CountdownTexts texts;
    SlotTextHeights heights{};
};

// Countdowns for every slot that shows a line or a dial mark; lines and their
// heights only for the slots with a line. A dial-only slot gets its countdown
// too, or its near-date marks would follow a stale or zero countdown.
SlotTexts computeCountdowns(const EventSlots& slots, const CalendarSnapshot& today, CountdownStore& store,
                            const CDC& measuring) {
    SlotTexts result;
    for (std::size_t i = 0; i < slotCount; ++i) {
        const EventSlot& slot = slots[i];
        if (!slot.showsText() && !slot.showsOnDial()) continue;
        store.slots[i] = computeCountdown(slot, today);
        if (!slot.showsText()) continue;
        result.texts[i] = visibleText(formatCountdownText(slot, store.slots[i]));
        result.heights[i] = measuring.GetTextExtent(*result.texts[i]).cy;
    }
    return result;
}

// Selects `font` for the life of the scope, if there is one.
void selectTextFont(ScopedSelect& scope, GdiObject font) {
    if (font != noObject) scope.select(font);
}

}  // namespace

void paintDial(GdiApi& gdi, DcHandle paintDc, int clientWidth, int clientHeight, EventState& state,
               const RepaintSources& sources) {
    // Made first and deleted last, once neither device context holds it; if it
    // cannot be made the texts stay in the system font.
    CFont textFontObject(gdi);
    if (sources.textFont) textFontObject.CreateFont(*sources.textFont);
    const GdiObject textFont = textFontObject.GetSafeHandle();
    BorrowedDC paint(gdi, paintDc);
    ScopedSelect measuringFont(paint);
    selectTextFont(measuringFont, textFont);

    const CalendarSnapshot snapshot = sources.takeSnapshot();
    const Colour handsColour = handColour(readColourSettings(sources.folder));
    const DrawingKit kit(gdi, handsColour, sources.dpi);
    const EventSlots slots = readEventList(state.slot1Lines, sources.folder);
    const SlotTexts slotTexts = computeCountdowns(slots, snapshot, state.countdowns, paint);

    const DialLayout layout = computeDialLayout(clientWidth, clientHeight, slotTexts.heights, sources.dpi);
    const HandEnds handEnds = computeHandEnds(snapshot, layout);

    // Compatible with the window, not with the memory device context, which would make it monochrome.
    CBitmap offscreenBitmap(gdi);
    offscreenBitmap.CreateCompatibleBitmap(paintDc, layout.clientWidth, layout.clientHeight);
    BitmapDC offscreen(gdi, offscreenBitmap.GetSafeHandle());
    ScopedSelect drawingFont(offscreen);
    selectTextFont(drawingFont, textFont);
    offscreen.FillSolidRect(clientRect(layout), backgroundColour);
    offscreen.SetBkModeTransparent();  // for texts and the gaps of dotted pens

    const CFont dayLabelFont(gdi, dayLabelFontSpec(sources.dpi, sources.textEdges));
    drawTextPanel(offscreen, paint, TextPanelInputs{slotTexts.texts, layout, snapshot, handsColour});
    drawDayLabels(offscreen, paint, layout, snapshot.daysInMonth, dayLabelFont);
    {
        // Puts the device context's own pen back once the dial is drawn, before any kit pen is deleted.
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, kit.handPen);
        drawEventMarks(offscreen, pens,
                       EventMarkInputs{slots, state.countdowns, snapshot.daysInMonth, layout,
                                       dayHandEndPoint(layout, handEnds), kit});
        drawHands(offscreen, pens, layout, handEnds, kit);
    }
    // Source and destination of the same size: a 1:1 copy of the whole client area.
    paint.StretchBlt(layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight, offscreen,
                     layout.clientLeft, layout.clientTop, layout.clientWidth, layout.clientHeight);
    // Released in reverse order: the day-label font, the memory device context
    // (its own font and bitmap put back first), the off-screen bitmap, the
    // pens; the paint device context gets its own font back, then the text font goes.
}

}  // namespace quorvenda
