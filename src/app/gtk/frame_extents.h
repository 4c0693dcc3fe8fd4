#pragma once
// The window manager's frame round the clock's window (_NET_FRAME_EXTENTS),
// so that the outer size, frame included, is the design's as on Windows.
#include <gtk/gtk.h>

#include <optional>

namespace quorvenda {

struct FrameExtents {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;

    bool operator==(const FrameExtents&) const = default;
};

// Asks the window manager to set _NET_FRAME_EXTENTS on the realized, not yet
// mapped window (_NET_REQUEST_FRAME_EXTENTS), so that the size can be fitted
// before the window first shows. Does nothing without such a window manager.
void requestFrameExtents(GdkWindow* window);

// The frame as the window manager last set it, or nothing when it has not.
std::optional<FrameExtents> frameExtents(GdkWindow* window);

// True when `atom` names the property the window manager sets for the frame.
bool isFrameExtentsAtom(GdkAtom atom);

}  // namespace quorvenda
