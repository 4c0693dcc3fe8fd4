#pragma once
// The pixels of a repaint that stay on the screen while the colour key is on:
// on an RGB24 image every pixel that is not the keyed-out white, on an ARGB32
// image (white already drawn transparent) every pixel with any alpha. They
// become the window's bounding or input shape.
#include <cairo.h>

#include <vector>

namespace quorvenda {

struct PixelRectangle {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRectangle&) const = default;
};

// The drawn pixels in one pass over the image, as rectangles in bands from
// top to bottom, each band's left to right (X11's YXBanded order): the runs
// of each row, rows whose runs are the same as the row above joined into one
// band. Empty for an unusable image or one with nothing drawn.
std::vector<PixelRectangle> drawnRectangles(cairo_surface_t* image);

}  // namespace quorvenda
