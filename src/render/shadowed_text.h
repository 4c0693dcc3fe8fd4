#pragma once
// Text drawn first in black one pixel right and down, then in its colour: it
// stays readable on any background.
#include <string_view>

#include "core/colour.h"
#include "render/dial_point.h"
#include "render/gdi_objects.h"

namespace quorvenda {

inline constexpr int shadowDistance = 1;

// The shadow's own position, where it is not simply one pixel right and down of the text.
void drawShadowedText(CDC& dc, Point shadow, Point text, Colour colour, std::string_view content);
void drawShadowedText(CDC& dc, Point text, Colour colour, std::string_view content);

}  // namespace quorvenda
