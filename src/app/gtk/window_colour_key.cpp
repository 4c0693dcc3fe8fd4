#include "app/gtk/window_colour_key.h"

#include <utility>

#include "app/gtk/window_shape.h"

namespace quorvenda {

WindowColourKey::WindowColourKey(GtkWidget* window, bool keyed, std::function<void()> onModeChanged)
    : window_(window), keyed_(keyed), onModeChanged_(std::move(onModeChanged)) {
    GdkScreen* screen = gtk_widget_get_screen(window_);
    if (keyed_) {
        // Chosen whether or not a compositor runs now: it may start later, and
        // without one the RGBA window's pixels show as they are inside the shape.
        GdkVisual* rgba = gdk_screen_get_rgba_visual(screen);
        rgbaVisual_ = rgba != nullptr;
        if (rgbaVisual_) gtk_widget_set_visual(window_, rgba);
        compositedHandler_ = g_signal_connect(screen, "composited-changed", G_CALLBACK(+[](GdkScreen*, gpointer self) {
                                                  static_cast<WindowColourKey*>(self)->onCompositedChanged();
                                              }),
                                              this);
    }
    mode_ = modeNow();
}

WindowColourKey::~WindowColourKey() {
    if (compositedHandler_ != 0) g_signal_handler_disconnect(gtk_widget_get_screen(window_), compositedHandler_);
}

CairoKeying WindowColourKey::keying() const {
    switch (mode_) {
        case Mode::off: return CairoKeying::none;
        case Mode::shaped: return CairoKeying::hardEdges;
        case Mode::alpha: return CairoKeying::alpha;
    }
    return CairoKeying::none;
}

cairo_format_t WindowColourKey::imageFormat() const {
    return mode_ == Mode::alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24;
}

WindowColourKey::Mode WindowColourKey::modeNow() const {
    if (!keyed_) return Mode::off;
    return rgbaVisual_ && gdk_screen_is_composited(gtk_widget_get_screen(window_)) ? Mode::alpha : Mode::shaped;
}

void WindowColourKey::shapeTo(cairo_surface_t* image, const std::vector<Rect>& changed) {
    if (mode_ == Mode::off) return;
    GdkWindow* window = gtk_widget_get_window(window_);
    if (window == nullptr) return;
    if (drawn_.update(image, changed)) upToDate_ = false;
    if (upToDate_) return;
    // An input shape only decides where a click goes: while the pointer is
    // away from the window it waits, and costs the X server and the
    // compositor nothing each second. The first one is always sent.
    if (mode_ == Mode::alpha && shaped_ && !pointerNear(window)) return;
    setWindowShape(window, shapeKind(), drawn_.rectangles());
    shaped_ = true;
    upToDate_ = true;
}

bool WindowColourKey::pointerNear(GdkWindow* window) const {
    GdkDevice* pointer = gdk_seat_get_pointer(gdk_display_get_default_seat(gdk_window_get_display(window)));
    if (pointer == nullptr) return true;
    int x = 0;
    int y = 0;
    gdk_window_get_device_position(window, pointer, &x, &y, nullptr);
    // In logical pixels, as GDK gives them; a margin for a pointer on its way in.
    constexpr int margin = 8;
    return x >= -margin && y >= -margin && x < gdk_window_get_width(window) + margin &&
           y < gdk_window_get_height(window) + margin;
}

ShapeKind WindowColourKey::shapeKind() const {
    // The bounding shape limits input as well; under a compositor only input is shaped.
    return mode_ == Mode::shaped ? ShapeKind::bounding : ShapeKind::input;
}

void WindowColourKey::onCompositedChanged() {
    const Mode mode = modeNow();
    if (mode == mode_) return;
    const bool wasShaped = shaped_;
    const ShapeKind left = shapeKind();
    mode_ = mode;
    drawn_ = DrawnPixelRuns{};
    shaped_ = false;
    upToDate_ = false;
    // The new picture and its shape first, then the old shape goes: the
    // desktop shows through at once, neither black nor white in between.
    onModeChanged_();
    GdkWindow* window = gtk_widget_get_window(window_);
    if (wasShaped && window != nullptr) clearWindowShape(window, left);
}

}  // namespace quorvenda
