#pragma once
// The clock's one top-level window on GTK: it repaints the dial into a kept
// image just after each whole second of the system clock while it is shown,
// copies that image when the window is drawn, rewrites its title every ten
// minutes, keys out the white background when the colour file asks, asks
// before closing and opens the settings file on a right-click.
#include <gtk/gtk.h>

#include <memory>
#include <optional>
#include <string>

#include "app/gtk/frame_extents.h"
#include "app/gtk/gtk_handles.h"
#include "app/gtk/window_colour_key.h"
#include "app/user_commands.h"
#include "core/colour_settings.h"
#include "core/event_state.h"
#include "render/cairo/cairo_canvas.h"
#include "render/cairo/cairo_gdi.h"
#include "render/dial_picture.h"

namespace quorvenda {

class GtkMainWindow {
public:
    // Creates the (hidden) window at the design's place and size for the desktop's DPI.
    GtkMainWindow();
    ~GtkMainWindow();
    GtkMainWindow(const GtkMainWindow&) = delete;
    GtkMainWindow& operator=(const GtkMainWindow&) = delete;

    // Shows the window and starts both timers.
    void show();

private:
    // The benchmark's paint drive (perf/gtk/) times repaint() and onDraw() as GTK's signals call them.
    friend class GtkPaintDrive;

    void connectSignals();

    // When GTK draws the window: after each repaint, and when it is exposed.
    bool onDraw(cairo_t* cr);
    // When the window's allocation is set: on mapping and on every resize.
    void onSizeAllocate();
    // When the user asks to close the window (close button, Alt+F4, the window manager's close request).
    bool onDeleteEvent();
    // When a mouse button goes down over the window.
    bool onButtonPress(const GdkEventButton& event);
    // When a property of the window changes, among them the frame the window manager puts round it.
    bool onPropertyNotify(const GdkEventProperty& event);
    // When the desktop's DPI, scale factor or interface font changes.
    void onDesktopMetricsChanged();
    // When the window is mapped, unmapped, iconified or restored, in whatever order those events come.
    void onVisibilityChanged(bool mapped, bool iconified);
    // When a compositor starts or stops while the colour key is on.
    void onKeyingChanged();
    // At each tick of the repaint timer, just after each whole second.
    void onRepaintTimer();
    // At each tick of the title timer, every ten minutes.
    void onTitleTimer();

    void placeWindow();
    // Sizes the window to the design's outer size at the DPI, less the frame last reported.
    void fitOuterSize();
    void armRepaintTimer();
    void makeSurface();
    void repaint();

    ToplevelPtr toplevel_;
    GtkWidget* window_;      // toplevel_, as GTK's calls take it
    GtkSettings* settings_;  // the screen's, owned by GTK
    // Read once at start-up: lines 4 and 5 of the colour file.
    ColourSettings transparency_;
    WindowColourKey colourKey_;
    int dpi_;
    // Made again together whenever the DPI, the scale, the font or the colour key's mode changes.
    std::unique_ptr<CairoGdi> gdi_;
    std::unique_ptr<CairoCanvas> canvas_;
    std::unique_ptr<DialPicture> picture_;
    // What changed at the last repaint, in GTK's logical pixels; kept, not made each second.
    CairoRegionPtr changed_;
    // Mapped and not iconified: only then is anything drawn, as Windows sends no paint to a minimised window
    // (some window managers keep an iconified window mapped).
    bool showing() const { return mapped_ && !iconified_; }
    bool mapped_ = false;
    bool iconified_ = false;
    std::optional<FrameExtents> fittedExtents_;
    TimeoutSource repaintTimer_;
    TimeoutSource titleTimer_;
    gulong settingsHandlers_[2] = {};

    // Shared by the repaint and the title update for the whole run.
    EventState eventState_;
    std::string titleText_;
    RememberedPath rememberedPath_{};
};

}  // namespace quorvenda
