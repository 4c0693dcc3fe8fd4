#pragma once
// The window's shapes on X11, in device pixels: GTK's own shape calls take
// logical pixels, which at a scale factor of 2 would let the white pixels
// round a drawn one show.
#include <gtk/gtk.h>

#include <vector>

#include "render/cairo/drawn_pixels.h"

namespace quorvenda {

enum class ShapeKind { bounding, input };

// Sets the toplevel's bounding or input shape to `rectangles` (YX-banded), in
// one request; does nothing where the X server lacks the SHAPE extension (the
// window stays whole).
void setWindowShape(GdkWindow* window, ShapeKind kind, const std::vector<PixelRectangle>& rectangles);

// Takes the shape away: the window is whole again for that kind.
void clearWindowShape(GdkWindow* window, ShapeKind kind);

}  // namespace quorvenda
