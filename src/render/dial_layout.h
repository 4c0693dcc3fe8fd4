#pragma once
// Where the dial sits in the client area and how large its parts are, all
// derived from the client size and the heights of the countdown lines.
#include <array>

#include "core/dpi_scale.h"
#include "core/event_list.h"
#include "core/wrapping_int.h"
#include "render/gdi_api.h"

namespace quorvenda {

using SlotTextHeights = std::array<int, slotCount>;  // index: slot - 1; 0 for a slot without a line

struct DialLayout {
    int clientLeft = 0;
    int clientTop = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    SlotTextHeights slotTextHeight{};
    int dialSize = 0;
    int innerRadius = 0;  // the day ring
    int outerRadius = 0;  // the month ring lies between the two circles
    int monthHandLength = 0;
    int dayHandLength = 0;
    int hourHandLength = 0;
    int minuteHandLength = 0;
    int secondHandLength = 0;
    int centreX = 0;
    int centreY = 0;
    int dpi = 0;  // of the window drawn in, as the caller stated it: pens, circles and shadows scale by it
};

// Only the lines of slots 1 to 3 shrink the dial. Nothing is clamped: a
// negative size turns every hand, tick and mark through half a turn.
DialLayout computeDialLayout(int clientWidth, int clientHeight, const SlotTextHeights& slotTextHeight, int dpi);

// A length of the design in pixels at the layout's DPI.
inline int scaledLength(const DialLayout& l, int designLength) {
    return scaledToDpi(designLength, l.dpi);
}

// The client rectangle as left, top, right and bottom edges.
inline Rect clientRect(const DialLayout& l) {
    return Rect{l.clientLeft, l.clientTop, wrapAdd(l.clientLeft, l.clientWidth), wrapAdd(l.clientTop, l.clientHeight)};
}

// The dial centre's height as a fraction of the client height.
inline constexpr double centreHeightFraction = 0.57;

}  // namespace quorvenda
