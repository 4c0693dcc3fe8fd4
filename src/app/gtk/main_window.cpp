#include "app/gtk/main_window.h"

#include <algorithm>

#include "app/gtk/desktop_metrics.h"
#include "app/gtk/gtk_command_host.h"
#include "app/gtk/window_icon.h"
#include "app/main_window_creation.h"
#include "app/repaint_schedule.h"
#include "app/title_countdown.h"
#include "core/calendar.h"
#include "core/utf8_from_shift_jis.h"
#include "render/paint_cycle.h"

namespace quorvenda {

namespace {

constexpr guint titlePeriodMs = 10 * 60 * 1000;
constexpr guint rightButton = 3;
constexpr double opaqueAlpha = 255.0;
constexpr gint repaintTimerPriority = GDK_PRIORITY_REDRAW + 10;

// Read from the clock as it now reads, so a late tick or a changed system
// time is caught up at the next whole second.
guint repaintDelayMs() {
    const gint64 microseconds = g_get_real_time();
    const int withinSecond = static_cast<int>(microseconds / 1000 % millisecondsPerSecond);
    return static_cast<guint>(msUntilNextRepaint(withinSecond));
}

void setTitle(GtkWidget* window, const std::string& shiftJis) {
    gtk_window_set_title(GTK_WINDOW(window), utf8FromShiftJis(shiftJis).c_str());
}

}  // namespace

GtkMainWindow::GtkMainWindow()
    : toplevel_(gtk_window_new(GTK_WINDOW_TOPLEVEL)),
      window_(toplevel_.get()),
      settings_(gtk_widget_get_settings(window_)),
      transparency_(readColourSettings()),
      colourKey_(window_, (layeredWindowFlags(transparency_) & layeredColourKeyFlag) != 0,
                 [this] { onKeyingChanged(); }),
      dpi_(desktopDpi(window_)),
      changed_(cairo_region_create()) {
    makeSurface();
    setTitle(window_, creationTitle);
    setWindowIcon(GTK_WINDOW(window_));
    gtk_widget_set_app_paintable(window_, TRUE);
    gtk_widget_add_events(window_, GDK_BUTTON_PRESS_MASK | GDK_PROPERTY_CHANGE_MASK | GDK_STRUCTURE_MASK);
    placeWindow();
    connectSignals();
}

GtkMainWindow::~GtkMainWindow() {
    // No handler may run on this object while its members go, the window last.
    for (const gulong handler : settingsHandlers_) g_signal_handler_disconnect(settings_, handler);
    g_signal_handlers_disconnect_by_data(window_, this);
}

// The window's signals, routed to the handlers above.
void GtkMainWindow::connectSignals() {
    g_signal_connect(window_, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
                         return static_cast<GtkMainWindow*>(self)->onDraw(cr);
                     }),
                     this);
    g_signal_connect_after(window_, "size-allocate", G_CALLBACK(+[](GtkWidget*, GdkRectangle*, gpointer self) {
                               static_cast<GtkMainWindow*>(self)->onSizeAllocate();
                           }),
                           this);
    g_signal_connect(window_, "delete-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                         return static_cast<GtkMainWindow*>(self)->onDeleteEvent();
                     }),
                     this);
    g_signal_connect(window_, "button-press-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventButton* event, gpointer self) -> gboolean {
                         return static_cast<GtkMainWindow*>(self)->onButtonPress(*event);
                     }),
                     this);
    g_signal_connect(window_, "property-notify-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventProperty* event, gpointer self) -> gboolean {
                         return static_cast<GtkMainWindow*>(self)->onPropertyNotify(*event);
                     }),
                     this);
    g_signal_connect(window_, "map-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                         auto* window = static_cast<GtkMainWindow*>(self);
                         window->onVisibilityChanged(true, window->iconified_);
                         return FALSE;
                     }),
                     this);
    g_signal_connect(window_, "unmap-event", G_CALLBACK(+[](GtkWidget*, GdkEvent*, gpointer self) -> gboolean {
                         auto* window = static_cast<GtkMainWindow*>(self);
                         window->onVisibilityChanged(false, window->iconified_);
                         return FALSE;
                     }),
                     this);
    g_signal_connect(window_, "window-state-event",
                     G_CALLBACK(+[](GtkWidget*, GdkEventWindowState* event, gpointer self) -> gboolean {
                         auto* window = static_cast<GtkMainWindow*>(self);
                         window->onVisibilityChanged(window->mapped_,
                                                     (event->new_window_state & GDK_WINDOW_STATE_ICONIFIED) != 0);
                         return FALSE;
                     }),
                     this);
    const GCallback metricsChanged = G_CALLBACK(
        +[](GObject*, GParamSpec*, gpointer self) { static_cast<GtkMainWindow*>(self)->onDesktopMetricsChanged(); });
    g_signal_connect(window_, "notify::scale-factor", metricsChanged, this);
    settingsHandlers_[0] = g_signal_connect(settings_, "notify::gtk-xft-dpi", metricsChanged, this);
    settingsHandlers_[1] = g_signal_connect(settings_, "notify::gtk-font-name", metricsChanged, this);
}

void GtkMainWindow::show() {
    gtk_widget_realize(window_);
    // The window's opacity is the compositor's to apply (_NET_WM_WINDOW_OPACITY),
    // set on the X window itself: GTK would draw an RGBA window's opacity into
    // its pixels instead, which darkens them wherever no compositor runs.
    gdk_window_set_opacity(gtk_widget_get_window(window_), windowAlpha(transparency_) / opaqueAlpha);
    requestFrameExtents(gtk_widget_get_window(window_));
    gtk_widget_show(window_);
    armRepaintTimer();
    titleTimer_.arm(
        titlePeriodMs,
        +[](gpointer self) -> gboolean {
            static_cast<GtkMainWindow*>(self)->onTitleTimer();
            return G_SOURCE_CONTINUE;
        },
        this);
}

bool GtkMainWindow::onDraw(cairo_t* cr) {
    cairo_surface_t* image = canvas_->image();
    if (image == nullptr) return true;
    // The kept image is in device pixels; GTK draws in logical ones. Copied
    // with its alpha where it has any (white keyed out under a compositor).
    const double scale = gtk_widget_get_scale_factor(window_);
    cairo_save(cr);
    cairo_scale(cr, 1 / scale, 1 / scale);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    return true;
}

void GtkMainWindow::onSizeAllocate() {
    const int scale = gtk_widget_get_scale_factor(window_);
    const int width = gtk_widget_get_allocated_width(window_) * scale;
    const int height = gtk_widget_get_allocated_height(window_) * scale;
    cairo_surface_t* image = canvas_->image();
    if (image != nullptr && cairo_image_surface_get_width(image) == width &&
        cairo_image_surface_get_height(image) == height)
        return;
    repaint();
}

bool GtkMainWindow::onDeleteEvent() {
    GtkCommandHost host(GTK_WINDOW(window_));
    if (confirmClose(host)) gtk_main_quit();
    // The window is destroyed with this object, after the main loop ends.
    return true;
}

bool GtkMainWindow::onButtonPress(const GdkEventButton& event) {
    if (event.type != GDK_BUTTON_PRESS || event.button != rightButton) return false;
    // Anywhere in the window: the click's position does not matter.
    GtkCommandHost host(GTK_WINDOW(window_));
    settingsFileCommand(host, rememberedPath_);
    return true;
}

bool GtkMainWindow::onPropertyNotify(const GdkEventProperty& event) {
    if (!isFrameExtentsAtom(event.atom)) return false;
    const std::optional<FrameExtents> extents = frameExtents(gtk_widget_get_window(window_));
    // Once for each frame the window manager reports, so a size the user sets stays.
    if (extents && extents != fittedExtents_) {
        fittedExtents_ = extents;
        fitOuterSize();
    }
    return false;
}

void GtkMainWindow::onDesktopMetricsChanged() {
    const int dpi = desktopDpi(window_);
    const bool dpiChanged = dpi != dpi_;
    dpi_ = dpi;
    // The system font's pixel height follows the DPI, so the surface is made again.
    makeSurface();
    // As a window dragged to a monitor of another scale on Windows: the design's size at the new DPI.
    if (dpiChanged) fitOuterSize();
    repaint();
}

void GtkMainWindow::onVisibilityChanged(bool mapped, bool iconified) {
    const bool wasShowing = showing();
    mapped_ = mapped;
    iconified_ = iconified;
    // Back on the screen, whichever event said so last: the picture of this second at once, not at the next tick.
    if (!wasShowing && showing()) repaint();
}

void GtkMainWindow::onKeyingChanged() {
    // Texts are drawn another way and the image has another format: everything afresh.
    makeSurface();
    repaint();
}

void GtkMainWindow::onRepaintTimer() {
    repaintTimer_.fired();
    // Armed again from the clock's reading: one tick, one repaint.
    armRepaintTimer();
    repaint();
}

void GtkMainWindow::onTitleTimer() {
    updateTitleCountdown(titleText_, eventState_.slot1Lines, takeCalendarSnapshot());
    setTitle(window_, titleText_);
}

void GtkMainWindow::placeWindow() {
    // GTK places and sizes in logical pixels, the design in device pixels.
    const int scale = gtk_widget_get_scale_factor(window_);
    const WindowPlacement at = mainWindowPlacementAt(dpi_);
    gtk_window_move(GTK_WINDOW(window_), at.x / scale, at.y / scale);
    // Without a window manager there is no frame: the window is the whole outer size.
    gtk_window_set_default_size(GTK_WINDOW(window_), at.width / scale, at.height / scale);
}

void GtkMainWindow::fitOuterSize() {
    // The client is what the frame leaves of the design's outer size; without a frame, all of it.
    const FrameExtents frame = fittedExtents_.value_or(FrameExtents{});
    const int scale = gtk_widget_get_scale_factor(window_);
    const WindowPlacement at = mainWindowPlacementAt(dpi_);
    const int width = std::max(1, (at.width - frame.left - frame.right) / scale);
    const int height = std::max(1, (at.height - frame.top - frame.bottom) / scale);
    gtk_window_resize(GTK_WINDOW(window_), width, height);
}

void GtkMainWindow::armRepaintTimer() {
    // Below GTK's redraw, as a timer is below painting on Windows: a repaint
    // slower than a second (a huge data file) still reaches the screen.
    repaintTimer_.arm(
        repaintDelayMs(),
        +[](gpointer self) -> gboolean {
            static_cast<GtkMainWindow*>(self)->onRepaintTimer();
            return G_SOURCE_REMOVE;
        },
        this, repaintTimerPriority);
}

void GtkMainWindow::makeSurface() {
    picture_.reset();
    canvas_.reset();
    gdi_ = std::make_unique<CairoGdi>(desktopSystemFont(window_, dpi_), colourKey_.keying());
    canvas_ = std::make_unique<CairoCanvas>(*gdi_, colourKey_.imageFormat());
    picture_ = std::make_unique<DialPicture>(*canvas_);
}

void GtkMainWindow::repaint() {
    if (!showing()) return;
    const int scale = gtk_widget_get_scale_factor(window_);
    const int width = gtk_widget_get_allocated_width(window_) * scale;
    const int height = gtk_widget_get_allocated_height(window_) * scale;
    if (width <= 0 || height <= 0) return;
    // With the key on and no compositor every text has hard edges: the surface's keying makes every font so.
    const std::vector<Rect>& changed = picture_->repaint(width, height, eventState_, RepaintSources(dpi_));
    // Its shape goes to the X server once GTK has painted it.
    if (canvas_->image() != nullptr) colourKey_.shapeTo(canvas_->image(), changed);
    if (changed.empty()) return;
    // Only the changed pixels go to the X server (and to a compositor), in GTK's logical pixels.
    const cairo_rectangle_int_t nothing{0, 0, 0, 0};
    cairo_region_intersect_rectangle(changed_.get(), &nothing);
    for (const Rect& area : changed) {
        const int left = area.left / scale;
        const int top = area.top / scale;
        const cairo_rectangle_int_t logical{left, top, (area.right + scale - 1) / scale - left,
                                            (area.bottom + scale - 1) / scale - top};
        cairo_region_union_rectangle(changed_.get(), &logical);
    }
    gtk_widget_queue_draw_region(window_, changed_.get());
}

}  // namespace quorvenda
