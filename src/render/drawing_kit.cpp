#include "render/drawing_kit.h"

#include <utility>

#include "core/palette.h"

namespace quorvenda {

namespace {

constexpr int monthHandPenWidth = 6;
constexpr int dayHandPenWidth = 4;
constexpr int handPenWidth = 2;
constexpr int slotMarkPenWidth = 3;
constexpr int slotRingPenWidth = 1;
// Not scaled: a dotted pen wider than one pixel draws solid.
constexpr int slotArcPenWidth = 1;

template <std::size_t... index>
SlotPens makeSlotPens(GdiApi& gdi, PenStyle style, int width, std::index_sequence<index...>) {
    // Braced initialisers run in order: slot 1 first.
    return SlotPens{CPen(gdi, style, width, slotColour(static_cast<int>(index) + 1))...};
}

SlotPens makeSlotPens(GdiApi& gdi, PenStyle style, int width) {
    return makeSlotPens(gdi, style, width, std::make_index_sequence<slotCount>{});
}

}  // namespace

DrawingKit::DrawingKit(GdiApi& gdi, Colour handColour, int dpi)
    : monthHandPen(gdi, PenStyle::solid, scaledToDpi(monthHandPenWidth, dpi), monthHandColour),
      dayHandPen(gdi, PenStyle::solid, scaledToDpi(dayHandPenWidth, dpi), dayHandColour),
      handPen(gdi, PenStyle::solid, scaledToDpi(handPenWidth, dpi), handColour),
      slotMarkPen(makeSlotPens(gdi, PenStyle::solid, scaledToDpi(slotMarkPenWidth, dpi))),
      slotArcPen(makeSlotPens(gdi, PenStyle::dot, slotArcPenWidth)),
      slotRingPen(makeSlotPens(gdi, PenStyle::solid, scaledToDpi(slotRingPenWidth, dpi))) {}

}  // namespace quorvenda
