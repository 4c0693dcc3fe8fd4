#pragma once
// The dial as the window shows it, kept from one repaint to the next. Each
// repaint records what it draws (the clock and both files read afresh, as
// always), compares that with what the last one drew and draws again only
// where the two differ: a tick that moves the second hand costs the second
// hand, not the dial. The pixels are those of a whole repaint of the same
// inputs. A new size, or `forget` (a new DPI, scale, font or colour key),
// draws the whole picture.
#include <vector>

#include "core/event_state.h"
#include "render/display_list.h"
#include "render/display_list_recorder.h"
#include "render/paint_cycle.h"
#include "render/picture_canvas.h"

namespace quorvenda {

class DialPicture {
public:
    // Draws on `canvas`, which outlives this picture.
    explicit DialPicture(PictureCanvas& canvas);

    // One repaint at `width` × `height` device pixels. Returns the areas of the
    // image that changed: all of it the first time, after a resize or after
    // `forget`; none when nothing did or no image could be made (it is tried
    // again next time).
    const std::vector<Rect>& repaint(int width, int height, EventState& state, const RepaintSources& sources);

    // The next repaint draws the whole picture.
    void forget() { drawnKnown_ = false; }

private:
    void drawWhole(int width, int height, EventState& state, const RepaintSources& sources);

    PictureCanvas& canvas_;
    DisplayListGdi recorder_;
    DisplayList drawn_;  // what the image now shows
    bool drawnKnown_ = false;
    std::vector<Rect> changed_;
};

}  // namespace quorvenda
