#include "render/dial_layout.h"

#include "core/wrapping_int.h"

namespace quorvenda {

namespace {

// Percentages of the dial size and of the inner radius.
constexpr int percent = 100;
constexpr int innerRadiusPercent = 40;
constexpr int outerRadiusPercent = 43;
constexpr int monthHandPercent = 60;
constexpr int dayHandPercent = 85;
constexpr int hourHandPercent = 30;
constexpr int minuteHandPercent = 45;
constexpr int secondHandPercent = 75;
// Each line of slots 1 to 3 is taken off above and below the dial.
constexpr int linesPerShrinkingText = 2;
constexpr int shrinkingSlots = 3;

int percentOf(int value, int percentage) {
    return truncDiv(wrapMul(value, percentage), percent);
}

}  // namespace

DialLayout computeDialLayout(int clientWidth, int clientHeight, const SlotTextHeights& slotTextHeight, int dpi) {
    DialLayout l;
    l.dpi = dpi;
    l.clientWidth = clientWidth;
    l.clientHeight = clientHeight;
    l.slotTextHeight = slotTextHeight;

    int reduced = clientHeight;
    for (int slot = 0; slot < shrinkingSlots; ++slot) {
        reduced = wrapSub(reduced, wrapMul(linesPerShrinkingText, slotTextHeight[static_cast<std::size_t>(slot)]));
    }
    l.dialSize = clientWidth < reduced ? clientWidth : reduced;
    l.innerRadius = percentOf(l.dialSize, innerRadiusPercent);
    l.outerRadius = percentOf(l.dialSize, outerRadiusPercent);
    l.monthHandLength = percentOf(l.innerRadius, monthHandPercent);
    l.dayHandLength = percentOf(l.innerRadius, dayHandPercent);
    l.hourHandLength = percentOf(l.innerRadius, hourHandPercent);
    l.minuteHandLength = percentOf(l.innerRadius, minuteHandPercent);
    l.secondHandLength = percentOf(l.innerRadius, secondHandPercent);
    l.centreX = truncDiv(clientWidth, 2);
    l.centreY = truncToInt(clientHeight * centreHeightFraction);
    return l;
}

}  // namespace quorvenda
