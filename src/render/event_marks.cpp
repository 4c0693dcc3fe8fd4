#include "render/event_marks.h"

#include "core/calendar.h"
#include "core/wrapping_int.h"

namespace quorvenda {

namespace {

constexpr std::array<double, slotCount + 1> markFractions = {1.00, 0.97, 0.94, 0.91, 0.88, 0.85, 0.82, 0.79};

// The day position runs to 300 over a month: 30 degrees of the month ring, a
// whole turn (360 degrees) of the day ring.
constexpr int monthSectorDegrees = 30;
constexpr int dayPositionsPerMonthRingDegree = 10;
constexpr int dayRingDegreesPerTenPositions = 12;
constexpr int tenPositions = 10;

// Circles round the near-date mark: one in the last week, a second from three
// days before that grows to its full size on the day itself.
constexpr int lastWeekDays = 8;
constexpr int lastDaysWithSecondCircle = 4;
constexpr int nearDateCircleRadius = 7;
constexpr int dueDayCircleRadius = 14;

std::size_t slotIndex(int slot) {
    return static_cast<std::size_t>(slot - 1);
}

// A whole circle: the start and end rays coincide. Top and bottom are given
// swapped, which describes the same circle.
void drawCircleAround(CDC& dc, Point centre, int radius) {
    constexpr int sameRay = 0;
    dc.Arc(wrapSub(centre.x, radius), wrapAdd(centre.y, radius), wrapAdd(centre.x, radius), wrapSub(centre.y, radius),
           sameRay, sameRay, sameRay, sameRay);
}

void drawLine(CDC& dc, Point from, Point to) {
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
}

void drawSlotMarks(CDC& dc, ScopedSelect& pens, const EventMarkInputs& in, int slot) {
    const EventSlot& event = in.slots[slotIndex(slot)];
    if (!event.showsOnDial()) return;
    const DialLayout& l = in.layout;
    const std::size_t i = slotIndex(slot);

    const int tickAngle = eventTickAngle(event, in.daysInMonth);
    pens.select(in.kit.slotMarkPen[i]);
    drawLine(dc, dialPoint(l, tickAngle, l.innerRadius), dialPoint(l, tickAngle, l.outerRadius));

    const Countdown& countdown = in.countdowns.slots[i];
    if (!countdown.isNear()) return;

    const int markAngle = eventMarkAngle(event, in.daysInMonth);
    const double f = slotMarkFraction(slot);
    const Point mark = dialPoint(l, markAngle, l.dayHandLength, f);
    pens.select(in.kit.slotMarkPen[i]);
    drawLine(dc, mark, dialPoint(l, markAngle, l.dayHandLength, slotInnerFraction(slot)));

    pens.select(in.kit.slotArcPen[i]);
    if (countdown.days > 0) {
        const double reach = l.dayHandLength * f;
        dc.Arc(truncToInt(l.centreX - reach), truncToInt(l.centreY - reach), truncToInt(l.centreX + reach),
               truncToInt(l.centreY + reach), mark.x, mark.y, in.dayHandEnd.x, in.dayHandEnd.y);
    }

    pens.select(in.kit.slotRingPen[i]);
    if (countdown.days < lastWeekDays) drawCircleAround(dc, mark, scaledLength(l, nearDateCircleRadius));
    if (countdown.days < lastDaysWithSecondCircle) {
        drawCircleAround(dc, mark, scaledLength(l, dueDayCircleRadius - countdown.days));
    }
}

}  // namespace

int eventTickAngle(const EventSlot& slot, int daysInMonth) {
    return wrapAdd(wrapMul(slot.month, monthSectorDegrees),
                   truncDiv(dayPositionOf(slot.day, daysInMonth), dayPositionsPerMonthRingDegree));
}

int eventMarkAngle(const EventSlot& slot, int daysInMonth) {
    return truncDiv(wrapMul(dayPositionOf(slot.day, daysInMonth), dayRingDegreesPerTenPositions), tenPositions);
}

double slotMarkFraction(int slot) {
    return markFractions[slotIndex(slot)];
}

double slotInnerFraction(int slot) {
    return markFractions[slotIndex(slot) + 1];
}

void drawEventMarks(CDC& offscreen, ScopedSelect& pens, const EventMarkInputs& inputs) {
    for (int slot = 1; slot <= slotCount; ++slot) drawSlotMarks(offscreen, pens, inputs, slot);
}

}  // namespace quorvenda
