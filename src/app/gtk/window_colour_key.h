#pragma once
// The colour key on X11, whole: which visual the keyed window has, whether a
// compositor now draws it, how the repaint draws white, and the window's
// shapes made from the pixels each repaint leaves drawn.
//
// Under a compositor the window is RGBA: white is drawn fully transparent,
// texts are antialiased against that transparency, and the input shape is the
// drawn pixels so that a click on a keyed-out pixel reaches the desktop
// beneath. Without one (or without an RGBA visual) the bounding shape is the
// drawn pixels, which also limits input, and texts have hard edges so that no
// glyph keeps a rim of white. The input shape follows the drawn pixels while
// the pointer is near the window. The compositor may come and go while the clock
// runs: each switch clears the shape of the mode left and asks for a repaint.
#include <gtk/gtk.h>

#include <functional>
#include <vector>

#include "app/gtk/window_shape.h"
#include "render/cairo/cairo_gdi.h"
#include "render/cairo/drawn_pixels.h"

namespace quorvenda {

class WindowColourKey {
public:
    // `keyed`: the colour file's switch. Chooses the window's visual, so it is
    // made before the window is realized. `onModeChanged` runs when the
    // compositor starts or stops and white must be drawn another way.
    WindowColourKey(GtkWidget* window, bool keyed, std::function<void()> onModeChanged);
    ~WindowColourKey();
    WindowColourKey(const WindowColourKey&) = delete;
    WindowColourKey& operator=(const WindowColourKey&) = delete;

    // How the repaint draws the key, and the format of the image it draws into.
    CairoKeying keying() const;
    cairo_format_t imageFormat() const;

    // After each repaint of `image`, which changed in `changed`: the shape of
    // the current mode follows its drawn pixels, in one request and only when
    // they changed.
    void shapeTo(cairo_surface_t* image, const std::vector<Rect>& changed);

private:
    enum class Mode { off, shaped, alpha };

    // When the screen's compositing manager starts or stops.
    void onCompositedChanged();
    Mode modeNow() const;
    ShapeKind shapeKind() const;

    GtkWidget* window_;
    bool keyed_;
    bool rgbaVisual_ = false;
    Mode mode_ = Mode::off;
    std::function<void()> onModeChanged_;
    gulong compositedHandler_ = 0;
    // Whether the pointer is over the window or close to it.
    bool pointerNear(GdkWindow* window) const;

    // The drawn pixels; whether a shape was sent in this mode, and whether it is theirs.
    DrawnPixelRuns drawn_;
    bool shaped_ = false;
    bool upToDate_ = false;
};

}  // namespace quorvenda
