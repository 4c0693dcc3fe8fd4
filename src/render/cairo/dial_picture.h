#pragma once
// The dial as the window shows it, kept from one repaint to the next. Each
// repaint records what it draws (the clock and both files read afresh, as
// always), compares that with what the last one drew and draws again only
// where the two differ: a tick that moves the second hand costs the second
// hand, not the dial. The pixels are those of a whole repaint of the same
// inputs. A new size, or a new picture (made with a new surface when the
// DPI, the scale, the font or the colour key change), is drawn whole.
#include <cairo.h>

#include <vector>

#include "core/event_state.h"
#include "render/cairo/cairo_gdi.h"
#include "render/cairo/cairo_handles.h"
#include "render/display_list.h"
#include "render/paint_cycle.h"

namespace quorvenda {

class DialPicture {
public:
    // Draws through `gdi`, which outlives this picture, into an image of `format` (RGB24 or ARGB32).
    DialPicture(CairoGdi& gdi, cairo_format_t format);

    // One repaint at `width` × `height` device pixels. Returns the areas of the
    // image that changed: all of it the first time or after a resize, none when
    // nothing did or no image could be made (it is tried again next time).
    const std::vector<Rect>& repaint(int width, int height, EventState& state, const RepaintSources& sources);

    // The picture; null until one could be made.
    cairo_surface_t* image() const { return image_.get(); }

private:
    void drawWhole(int width, int height, EventState& state, const RepaintSources& sources);

    CairoGdi& gdi_;
    cairo_format_t format_;
    CairoSurfacePtr image_;
    DisplayListGdi recorder_;
    DisplayList drawn_;  // what the image now shows
    bool drawnKnown_ = false;
    std::vector<Rect> changed_;
};

}  // namespace quorvenda
