#pragma once
// The pixels of a repaint that stay on the screen while the colour key is on:
// on an RGB24 image every pixel that is not the keyed-out white, on an ARGB32
// image (white already drawn transparent) every pixel with any alpha. They
// become the window's bounding or input shape.
#include <cairo.h>

#include <utility>
#include <vector>

#include "render/gdi_api.h"

namespace quorvenda {

struct PixelRectangle {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    bool operator==(const PixelRectangle&) const = default;
};

// The drawn pixels row by row, as runs, kept from one repaint to the next so
// that only the rows a repaint changed are read again.
class DrawnPixelRuns {
public:
    // Reads the rows of `image` that `changed` reaches into again (every row
    // of a first image or one of another size or format); true when the drawn
    // pixels differ from before. An unusable image has none.
    bool update(cairo_surface_t* image, const std::vector<Rect>& changed);

    // The runs as rectangles in bands from top to bottom, each band's left to
    // right (X11's YXBanded order): rows whose runs are the same as the row
    // above's joined into one band.
    std::vector<PixelRectangle> rectangles() const;

private:
    using Runs = std::vector<std::pair<int, int>>;  // [first, end) of each run of a row
    int width_ = -1;
    cairo_format_t format_ = CAIRO_FORMAT_INVALID;
    std::vector<Runs> rows_;
};

// The drawn pixels of a whole image, in one pass, as the rectangles above.
std::vector<PixelRectangle> drawnRectangles(cairo_surface_t* image);

}  // namespace quorvenda
