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
    if (afterPaintHandler_ != 0) g_signal_handler_disconnect(frameClock_.get(), afterPaintHandler_);
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

void WindowColourKey::followFrames(GdkWindow* window) {
    if (frameClock_) return;
    frameClock_.reset(GDK_FRAME_CLOCK(g_object_ref(gdk_window_get_frame_clock(window))));
    afterPaintHandler_ = g_signal_connect(
        frameClock_.get(), "after-paint",
        G_CALLBACK(+[](GdkFrameClock*, gpointer self) { static_cast<WindowColourKey*>(self)->onAfterPaint(); }), this);
}

void WindowColourKey::shapeTo(cairo_surface_t* image, const std::vector<Rect>& changed) {
    if (mode_ == Mode::off) return;
    GdkWindow* window = gtk_widget_get_window(window_);
    if (window == nullptr) return;
    followFrames(window);
    if (!drawn_.update(image, changed)) return;
    pending_ = true;
    // Also when GTK has nothing to draw: the shape still goes at the next frame.
    gdk_frame_clock_request_phase(frameClock_.get(), GDK_FRAME_CLOCK_PHASE_AFTER_PAINT);
}

void WindowColourKey::onAfterPaint() {
    if (!pending_) return;
    pending_ = false;
    GdkWindow* window = gtk_widget_get_window(window_);
    if (window == nullptr) return;
    // Queued to the X server behind the paint of the picture they belong to.
    const std::vector<PixelRectangle> drawn = drawn_.rectangles();
    if (mode_ == Mode::shaped) {
        setWindowShape(window, ShapeKind::bounding, drawn);
        bounding_ = Bounding::shaped;
        return;
    }
    setWindowShape(window, ShapeKind::input, drawn);
    inputShaped_ = true;
    if (bounding_ == Bounding::shaped) {
        // A compositor has just started and may not draw the window yet: the server
        // would show its transparent pixels black. The drawn pixels of this picture
        // bound it, which cuts off nothing a compositor shows, until its next change.
        setWindowShape(window, ShapeKind::bounding, drawn);
        bounding_ = Bounding::alphaPicture;
    } else if (bounding_ == Bounding::alphaPicture) {
        clearWindowShape(window, ShapeKind::bounding);
        bounding_ = Bounding::none;
    }
}

void WindowColourKey::onCompositedChanged() {
    const Mode mode = modeNow();
    if (mode == mode_) return;
    mode_ = mode;
    GdkWindow* window = gtk_widget_get_window(window_);
    if (mode_ == Mode::shaped && inputShaped_ && window != nullptr) {
        // The server now shows the window's pixels as they are, its transparent
        // ones black: the last picture's drawn pixels bound it until the new one is painted.
        setWindowShape(window, ShapeKind::bounding, drawn_.rectangles());
        clearWindowShape(window, ShapeKind::input);
        // Now, not once the new picture is made.
        gdk_display_flush(gdk_window_get_display(window));
        bounding_ = Bounding::shaped;
        inputShaped_ = false;
    }
    // Texts are drawn another way and the image has another format: all its rows are read again.
    onModeChanged_();
}

}  // namespace quorvenda
