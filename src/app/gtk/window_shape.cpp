#include "app/gtk/window_shape.h"

#include <X11/Xlib.h>
#include <X11/extensions/shape.h>
#include <gdk/gdkx.h>

namespace quorvenda {

namespace {

bool hasShapeExtension(Display* display) {
    int eventBase = 0;
    int errorBase = 0;
    return XShapeQueryExtension(display, &eventBase, &errorBase) != 0;
}

// The window's display where it is an X11 window and the server can shape it.
Display* shapingDisplay(GdkWindow* window) {
    if (window == nullptr || !GDK_IS_X11_WINDOW(window)) return nullptr;
    Display* display = GDK_DISPLAY_XDISPLAY(gdk_window_get_display(window));
    static const bool shapeAvailable = hasShapeExtension(display);
    return shapeAvailable ? display : nullptr;
}

int shapeKindOf(ShapeKind kind) {
    return kind == ShapeKind::bounding ? ShapeBounding : ShapeInput;
}

}  // namespace

void setWindowShape(GdkWindow* window, ShapeKind kind, const std::vector<PixelRectangle>& rectangles) {
    Display* display = shapingDisplay(window);
    if (display == nullptr) return;
    // Image surfaces end at 32767 pixels a side, so every rectangle fits X11's 16 bits.
    std::vector<XRectangle> shape;
    shape.reserve(rectangles.size());
    for (const PixelRectangle& r : rectangles) {
        shape.push_back(XRectangle{static_cast<short>(r.x), static_cast<short>(r.y),
                                   static_cast<unsigned short>(r.width), static_cast<unsigned short>(r.height)});
    }
    XShapeCombineRectangles(display, GDK_WINDOW_XID(window), shapeKindOf(kind), 0, 0, shape.data(),
                            static_cast<int>(shape.size()), ShapeSet, YXBanded);
}

void clearWindowShape(GdkWindow* window, ShapeKind kind) {
    Display* display = shapingDisplay(window);
    if (display == nullptr) return;
    XShapeCombineMask(display, GDK_WINDOW_XID(window), shapeKindOf(kind), 0, 0, None, ShapeSet);
}

}  // namespace quorvenda
