#pragma once
// Text drawn first in black a little right and down (one pixel at 96 DPI),
// then in its colour: it stays readable on any background.
#include <string_view>

#include "core/colour.h"
#include "render/dial_layout.h"
#include "render/dial_point.h"
#include "render/gdi_objects.h"

namespace quorvenda {

// How far right and down the shadow falls at 96 DPI; other DPIs scale it.
inline constexpr int shadowDistance = 1;

// The shadow's distance at the layout's DPI.
inline int shadowOffset(const DialLayout& l) {
    return scaledLength(l, shadowDistance);
}

// The shadow's own position, where it is not simply right and down of the text.
void drawShadowedText(CDC& dc, Point shadow, Point text, Colour colour, std::string_view content);
// The shadow `distance` pixels right and down of the text.
void drawShadowedText(CDC& dc, Point text, int distance, Colour colour, std::string_view content);

}  // namespace quorvenda
