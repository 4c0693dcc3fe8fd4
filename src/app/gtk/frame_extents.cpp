#include "app/gtk/frame_extents.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include <memory>

#include "render/cairo/cairo_handles.h"

namespace quorvenda {

namespace {

constexpr const char* frameExtentsName = "_NET_FRAME_EXTENTS";
constexpr const char* requestName = "_NET_REQUEST_FRAME_EXTENTS";
constexpr int extentCount = 4;  // left, right, top, bottom

}  // namespace

void requestFrameExtents(GdkWindow* window) {
    if (!GDK_IS_X11_WINDOW(window)) return;
    GdkDisplay* display = gdk_window_get_display(window);
    if (!gdk_x11_screen_supports_net_wm_hint(gdk_window_get_screen(window), gdk_atom_intern_static_string(requestName)))
        return;
    Display* xdisplay = GDK_DISPLAY_XDISPLAY(display);
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = GDK_WINDOW_XID(window);
    event.xclient.message_type = gdk_x11_get_xatom_by_name_for_display(display, requestName);
    event.xclient.format = 32;
    XSendEvent(xdisplay, GDK_WINDOW_XID(gdk_screen_get_root_window(gdk_window_get_screen(window))), False,
               SubstructureRedirectMask | SubstructureNotifyMask, &event);
    XFlush(xdisplay);
}

std::optional<FrameExtents> frameExtents(GdkWindow* window) {
    if (!GDK_IS_X11_WINDOW(window)) return std::nullopt;
    GdkDisplay* display = gdk_window_get_display(window);
    Atom type = None;
    int format = 0;
    unsigned long count = 0;
    unsigned long remaining = 0;
    unsigned char* data = nullptr;
    gdk_x11_display_error_trap_push(display);
    const int status = XGetWindowProperty(GDK_DISPLAY_XDISPLAY(display), GDK_WINDOW_XID(window),
                                          gdk_x11_get_xatom_by_name_for_display(display, frameExtentsName), 0,
                                          extentCount, False, XA_CARDINAL, &type, &format, &count, &remaining, &data);
    const std::unique_ptr<unsigned char, ReleaseWith<XFree>> owned(data);
    if (gdk_x11_display_error_trap_pop(display) != 0 || status != Success) return std::nullopt;
    if (type != XA_CARDINAL || format != 32 || count != extentCount || data == nullptr) return std::nullopt;
    // Format 32 comes back as longs, whatever their size.
    const auto* values = reinterpret_cast<const long*>(data);
    return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                        static_cast<int>(values[3])};
}

bool isFrameExtentsAtom(GdkAtom atom) {
    return atom == gdk_atom_intern_static_string(frameExtentsName);
}

}  // namespace quorvenda
