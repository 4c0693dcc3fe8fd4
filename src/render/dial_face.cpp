#include "render/dial_face.h"

#include <cstdio>

#include "core/palette.h"
#include "core/wrapping_int.h"
#include "render/shadowed_text.h"

namespace quorvenda {

namespace {

constexpr int hourTickCount = 12;
constexpr int hourTickAngleStep = 30;
constexpr double hourTickInnerFraction = 0.95;  // ticks run from the inner circle this far in

// sqrt(3) to seven decimals: half of it is the sine of 60 degrees.
constexpr double sqrtThree = 1.7320508;
constexpr double cosineOfSixty = 0.5;

// Each label value is the month length times a fraction, kept to one decimal
// place and then rounded half up: (days * 10 * numerator / denominator + 5) / 10.
struct MonthFraction {
    int tenthsNumerator;  // the numerator already times ten
    int denominator;
};
constexpr int tenths = 10;
constexpr int roundingHalf = 5;

MonthFraction fractionOf(DayLabel label) {
    switch (label) {
        case DayLabel::top: return {10, 1};
        case DayLabel::bottom: return {10, 2};
        case DayLabel::lowerRight: return {10, 3};
        case DayLabel::lowerLeft: return {20, 3};
        case DayLabel::upperRight: return {10, 6};
        case DayLabel::upperLeft: return {50, 6};
    }
    return {10, 1};
}

// Extents in the measuring device context's font, as the labels are placed by them.
struct LabelMeasures {
    TextExtent top;
    int lowerLeftWidth = 0;
    int upperRightHeight = 0;
    int upperLeftHeight = 0;
};

// `shift` is 0 for the label and the shadow's distance for its shadow: added before truncation.
Point dayLabelPosition(DayLabel label, const DialLayout& layout, const LabelMeasures& m, int shift) {
    const int halfWidth = truncDiv(layout.clientWidth, 2);
    const double centreY = layout.clientTop + centreHeightFraction * layout.clientHeight;
    const double radius = layout.outerRadius;
    const double rightX = halfWidth + radius * sqrtThree / 2 + shift;
    const double leftX = halfWidth - radius * sqrtThree / 2 - 2.0 * m.lowerLeftWidth + shift;
    const int centredX = wrapAdd(wrapSub(halfWidth, truncDiv(m.top.cx, 2)), shift);
    switch (label) {
        case DayLabel::top: return {centredX, truncToInt(centreY - radius - m.top.cy + shift)};
        case DayLabel::bottom: return {centredX, truncToInt(centreY + radius + shift)};
        case DayLabel::lowerRight: return {truncToInt(rightX), truncToInt(centreY + radius * cosineOfSixty + shift)};
        case DayLabel::lowerLeft: return {truncToInt(leftX), truncToInt(centreY + radius * cosineOfSixty + shift)};
        case DayLabel::upperRight:
            return {truncToInt(rightX), truncToInt(centreY - radius * cosineOfSixty - m.upperRightHeight + shift)};
        case DayLabel::upperLeft:
            return {truncToInt(leftX), truncToInt(centreY - radius * cosineOfSixty - m.upperLeftHeight + shift)};
    }
    return {};
}

}  // namespace

HandEnds computeHandEnds(const CalendarSnapshot& s, const DialLayout& l) {
    return HandEnds{
        dialOffset(monthHandAngle(s), l.monthHandLength),   dialOffset(dayHandAngle(s), l.dayHandLength),
        dialOffset(hourHandAngle(s), l.hourHandLength),     dialOffset(minuteHandAngle(s), l.minuteHandLength),
        dialOffset(secondHandAngle(s), l.secondHandLength),
    };
}

Point dayHandEndPoint(const DialLayout& layout, const HandEnds& ends) {
    return offsetFromCentre(layout, ends.day);
}

std::string dayLabelText(DayLabel label, int daysInMonth) {
    const MonthFraction f = fractionOf(label);
    const int value =
        truncDiv(wrapAdd(truncDiv(wrapMul(daysInMonth, f.tenthsNumerator), f.denominator), roundingHalf), tenths);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%2d", value);
    return buffer;
}

FontSpec dayLabelFontSpec(int dpi, TextEdges edges) {
    constexpr int cellHeight = 20;  // positive: the cell height in pixels
    constexpr int boldWeight = 700;
    constexpr int shiftJisCharSet = 128;
    constexpr int nonAntialiasedQuality = 3;  // NONANTIALIASED_QUALITY
    FontSpec fontSpec;  // width, escapement, orientation, precisions, quality, pitch: the platform's defaults
    fontSpec.height = scaledToDpi(cellHeight, dpi);
    fontSpec.weight = boldWeight;
    fontSpec.italic = true;
    fontSpec.charSet = shiftJisCharSet;
    if (edges == TextEdges::hard) fontSpec.quality = nonAntialiasedQuality;
    fontSpec.faceName = "MS ゴシック";
    return fontSpec;
}

void drawDayLabels(CDC& offscreen, const CDC& measuring, const DialLayout& layout, int daysInMonth,
                   const CFont& dayLabelFont) {
    ScopedSelect font(offscreen, dayLabelFont);
    LabelMeasures m;
    m.top = measuring.GetTextExtent(dayLabelText(DayLabel::top, daysInMonth));
    m.lowerLeftWidth = measuring.GetTextExtent(dayLabelText(DayLabel::lowerLeft, daysInMonth)).cx;
    m.upperRightHeight = measuring.GetTextExtent(dayLabelText(DayLabel::upperRight, daysInMonth)).cy;
    m.upperLeftHeight = measuring.GetTextExtent(dayLabelText(DayLabel::upperLeft, daysInMonth)).cy;
    for (DayLabel label : dayLabelDrawingOrder) {
        drawShadowedText(offscreen, dayLabelPosition(label, layout, m, shadowOffset(layout)),
                         dayLabelPosition(label, layout, m, 0), dayLabelColour, dayLabelText(label, daysInMonth));
    }
}

void drawFace(CDC& offscreen, ScopedSelect& pens, const DialLayout& l, const CPen& handPen) {
    pens.select(handPen);
    for (int radius : {l.outerRadius, l.innerRadius}) {
        offscreen.Ellipse(wrapSub(l.centreX, radius), wrapSub(l.centreY, radius), wrapAdd(l.centreX, radius),
                          wrapAdd(l.centreY, radius));
    }
    const int tickInnerRadius = truncToInt(l.innerRadius * hourTickInnerFraction);
    for (int i = 0; i < hourTickCount; ++i) {
        const int angle = hourTickAngleStep * i;
        pens.select(handPen);
        const Point outer = dialPoint(l, angle, l.innerRadius);
        const Point inner = dialPoint(l, angle, tickInnerRadius);
        offscreen.MoveTo(outer.x, outer.y);
        offscreen.LineTo(inner.x, inner.y);
    }
}

void drawHands(CDC& offscreen, ScopedSelect& pens, const DialLayout& l, const HandEnds& ends, const DrawingKit& kit) {
    const struct {
        const CPen* pen;  // null: keep the pen of the hand before
        Offset end;
    } hands[] = {
        {&kit.monthHandPen, ends.month}, {&kit.dayHandPen, ends.day}, {&kit.handPen, ends.hour},
        {nullptr, ends.minute},          {nullptr, ends.second},
    };
    for (const auto& hand : hands) {
        if (hand.pen != nullptr) pens.select(*hand.pen);
        const Point end = offsetFromCentre(l, hand.end);
        offscreen.MoveTo(l.centreX, l.centreY);
        offscreen.LineTo(end.x, end.y);
    }
}

}  // namespace quorvenda
