#pragma once
// The bounds a recorded drawing call is given: every pixel it may touch on
// any surface (GDI's and Cairo's strokes, every face's glyphs), in the
// picture's pixels.
#include "render/display_list.h"

namespace quorvenda {

// Beyond the pixels a call names: half the pen's width, rounded up.
int penMargin(const PenLook& pen);

// The box from (left, top) to (right, bottom), in either order, grown by `margin` on every side.
Rect boxOf(int left, int top, int right, int bottom, int margin);

// A text drawn at (x, y) whose cell measures `extent`.
Rect textBounds(int x, int y, const TextExtent& extent);

}  // namespace quorvenda
