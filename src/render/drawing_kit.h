#pragma once
// The pens of one repaint: three for the face and hands, three for each event slot.
#include <array>

#include "core/colour.h"
#include "core/dpi_scale.h"
#include "core/event_list.h"
#include "render/gdi_objects.h"

namespace quorvenda {

using SlotPens = std::array<CPen, slotCount>;  // index: slot - 1

struct DrawingKit {
    // Creates all 24 pens, in member order, as wide as the design's pens are at `dpi`.
    DrawingKit(GdiApi& gdi, Colour handColour, int dpi);

    CPen monthHandPen;
    CPen dayHandPen;
    CPen handPen;          // circles, hour ticks, hour, minute and second hands
    SlotPens slotMarkPen;  // event tick and near-date tick
    SlotPens slotArcPen;   // dotted arc along the slot's ring: one pixel wide at every DPI
    SlotPens slotRingPen;  // circles round the near-date mark
};

}  // namespace quorvenda
