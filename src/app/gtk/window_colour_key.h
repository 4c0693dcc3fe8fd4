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
// glyph keeps a rim of white.
//
// The shape follows every change of the drawn pixels, so a pointer that
// arrives finds it right at once, and reaches the X server with the picture
// it belongs to: once GTK has painted it (the frame clock's after-paint), in
// one request. The X server's work for a shape request grows with the
// shape's rectangles, not with the request's, so the whole shape is sent
// rather than what changed. The compositor may come and go while the clock
// runs: when it stops, the bounding shape of the picture on the screen cuts
// out its transparent pixels at once; when it starts, the shape of the first
// picture drawn for it bounds the window until the next change, so that
// neither the old picture's white nor the new one's transparent black shows
// while the compositor is not yet drawing. Under a compositor the bounding
// shape is otherwise left off: kept on, it would close the few milliseconds
// in which an exiting compositor leaves the window unshaped to the server,
// but the server and the compositor would then take two thirds as much CPU
// again as the whole keyed clock takes now (more at scale factor 2).
#include <gtk/gtk.h>

#include <functional>
#include <vector>

#include "app/gtk/window_shape.h"
#include "render/cairo/cairo_gdi.h"
#include "render/cairo/cairo_handles.h"
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

    // After each repaint of `image`, which changed in `changed`, before GTK
    // paints it: the shape of the current mode follows its drawn pixels once
    // the picture is painted, and only when they changed.
    void shapeTo(cairo_surface_t* image, const std::vector<Rect>& changed);

private:
    enum class Mode { off, shaped, alpha };

    // When the screen's compositing manager starts or stops.
    void onCompositedChanged();
    Mode modeNow() const;
    // Once GTK has painted a frame: the shape of the picture it painted.
    void onAfterPaint();
    void followFrames(GdkWindow* window);

    GtkWidget* window_;
    bool keyed_;
    bool rgbaVisual_ = false;
    Mode mode_ = Mode::off;
    std::function<void()> onModeChanged_;
    gulong compositedHandler_ = 0;
    GObjectPtr<GdkFrameClock> frameClock_;  // the window's, once it is realized
    gulong afterPaintHandler_ = 0;

    // The drawn pixels of the last repaint; whether they wait for their paint
    // to be sent; which shapes the window has now.
    DrawnPixelRuns drawn_;
    bool pending_ = false;
    // The bounding shape: none, a picture's drawn without a compositor, or the
    // first picture's under one.
    enum class Bounding { none, shaped, alphaPicture };
    Bounding bounding_ = Bounding::none;
    bool inputShaped_ = false;
};

}  // namespace quorvenda
