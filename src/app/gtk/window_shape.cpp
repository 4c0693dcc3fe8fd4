#include "app/gtk/window_shape.h"

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

#include <vector>

namespace quorvenda {

namespace {

bool hasShapeExtension(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    return XShapeQueryExtension(display, &eventBase, &errorBase) != 0;
}

}  // namespace

void setWindowShape(GdkWindow* window, ShapeKind kind, const cairo_region_t* deviceRegion) {
    if (!GDK_IS_X11_WINDOW(window)) return;
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_window_get_display(window));
    static const bool shapeAvailable = hasShapeExtension(display);
    if (!shapeAvailable) return;
    const int count = cairo_region_num_rectangles(deviceRegion);
    std::vector<XRectangle> rectangles(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        cairo_rectangle_int_t r;
        cairo_region_get_rectangle(deviceRegion, i, &r);
        rectangles[static_cast<std::size_t>(i)] =
            XRectangle{static_cast<short>(r.x), static_cast<short>(r.y), static_cast<unsigned short>(r.width),
                       static_cast<unsigned short>(r.height)};
    }
    // A cairo region lists its rectangles in bands from top to bottom, left to right.
    XShapeCombineRectangles(display, GDK_WINDOW_XID(window), kind == ShapeKind::bounding ? ShapeBounding : ShapeInput,
                            0, 0, rectangles.data(), count, ShapeSet, YXBanded);
}

}  // namespace quorvenda
