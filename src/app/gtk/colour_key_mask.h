#pragma once
// The colour key on X11: the pixels of a repaint that are not the keyed-out
// white, as a one-bit mask and as a region. The mask paints the dial onto an
// RGBA window with white left fully transparent; the region becomes the
// window's shape on a plain X server and its input shape in both cases, so a
// click on a keyed-out pixel reaches the window beneath.
#include "app/gtk/gtk_handles.h"

namespace quorvenda {

// A CAIRO_FORMAT_A1 surface of the image's size, opaque where `image` (RGB24)
// is not the colour key.
CairoSurfacePtr keyedOutMask(cairo_surface_t* image);

// The opaque pixels of an A1 mask, in the mask's pixels.
CairoRegionPtr regionOfMask(cairo_surface_t* mask);

}  // namespace quorvenda
