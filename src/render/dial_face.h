#pragma once
// The dial: day-number labels round the month ring, the two circles and the
// twelve hour ticks, and the five hands.
#include <array>
#include <string>

#include "core/calendar.h"
#include "render/dial_layout.h"
#include "render/dial_point.h"
#include "render/drawing_kit.h"
#include "render/gdi_objects.h"
#include "render/paint_cycle.h"

namespace quorvenda {

struct HandEnds {
    Offset month;
    Offset day;
    Offset hour;
    Offset minute;
    Offset second;
};

HandEnds computeHandEnds(const CalendarSnapshot& snapshot, const DialLayout& layout);
// Where the day hand ends: also where every dotted event arc ends.
Point dayHandEndPoint(const DialLayout& layout, const HandEnds& ends);

// The labels say which day the day hand shows at 12, 6, 4, 8, 2 and 10 o'clock.
enum class DayLabel { top, bottom, lowerRight, lowerLeft, upperRight, upperLeft };
inline constexpr std::array<DayLabel, 6> dayLabelDrawingOrder = {
    DayLabel::top,       DayLabel::bottom,     DayLabel::lowerRight,
    DayLabel::lowerLeft, DayLabel::upperRight, DayLabel::upperLeft,
};

// The day at that point of the month, rounded half up from one decimal place, printed "%2d".
std::string dayLabelText(DayLabel label, int daysInMonth);

// The labels' font for a window at `dpi`; with hard edges, one the platform
// draws without antialiasing.
FontSpec dayLabelFontSpec(int dpi, TextEdges edges);

// Leaves the stock system font selected in `offscreen` again. Extents are
// measured on `measuring` (the window's device context, in its system font).
void drawDayLabels(CDC& offscreen, const CDC& measuring, const DialLayout& layout, int daysInMonth,
                   const CFont& dayLabelFont);
// The outer and inner circles, filled white over whatever lies inside, and the hour ticks.
void drawFace(CDC& offscreen, ScopedSelect& pens, const DialLayout& layout, const CPen& handPen);
// Month, day, hour, minute and second hand, each drawn over the one before.
void drawHands(CDC& offscreen, ScopedSelect& pens, const DialLayout& layout, const HandEnds& ends,
               const DrawingKit& kit);

}  // namespace quorvenda
