#pragma once
// Each event slot shown on the dial in its colour: a tick across the month
// ring where the event's date lies, and while the event is less than a month
// away a near-date tick at the event's day, a dotted arc back to the day hand
// over the days still to go, and in the last week one or two small circles.
#include <array>

#include "core/countdown.h"
#include "core/event_list.h"
#include "render/dial_layout.h"
#include "render/dial_point.h"
#include "render/drawing_kit.h"
#include "render/gdi_objects.h"

namespace quorvenda {

// Where the event's tick crosses the month ring: where the month hand will
// stand on the event's day (the event's day scaled by the current month).
int eventTickAngle(const EventSlot& slot, int daysInMonth);
// Where the event's near-date tick stands: where the day hand will stand on the event's day.
int eventMarkAngle(const EventSlot& slot, int daysInMonth);

// Slot n's near-date tick runs from its mark fraction of the day hand's length
// in to its inner fraction, the next slot's mark fraction; its arc lies on the mark fraction.
double slotMarkFraction(int slot);
double slotInnerFraction(int slot);

struct EventMarkInputs {
    const EventSlots& slots;
    const CountdownStore& countdowns;
    int daysInMonth;
    const DialLayout& layout;
    Point dayHandEnd;
    const DrawingKit& kit;
};

// Slots 1 to 7 in order, each complete before the next.
void drawEventMarks(CDC& offscreen, ScopedSelect& pens, const EventMarkInputs& inputs);

}  // namespace quorvenda
