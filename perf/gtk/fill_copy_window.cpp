#include "perf/gtk/fill_copy_window.h"

#include "app/gtk/desktop_metrics.h"
#include "app/main_window_creation.h"

namespace quorvenda::drive {

FillCopyWindow::FillCopyWindow(const std::string& title, bool fill)
    : toplevel_(gtk_window_new(GTK_WINDOW_TOPLEVEL)), fill_(fill) {
    GtkWidget* window = toplevel_.get();
    gtk_window_set_title(GTK_WINDOW(window), title.c_str());
    // Where the clock opens and as large, at the desktop's DPI.
    const int scale = gtk_widget_get_scale_factor(window);
    const WindowPlacement at = mainWindowPlacementAt(desktopDpi(window));
    gtk_window_move(GTK_WINDOW(window), at.x / scale, at.y / scale);
    gtk_window_set_default_size(GTK_WINDOW(window), at.width / scale, at.height / scale);
    gtk_widget_set_app_paintable(window, TRUE);
    g_signal_connect(window, "draw", G_CALLBACK(+[](GtkWidget*, cairo_t* cr, gpointer self) -> gboolean {
                         return static_cast<FillCopyWindow*>(self)->draw(cr);
                     }),
                     this);
    g_signal_connect(window, "delete-event", G_CALLBACK(gtk_main_quit), nullptr);
}

void FillCopyWindow::show() {
    gtk_widget_realize(toplevel_.get());
    repaint();
    gtk_widget_show(toplevel_.get());
}

void FillCopyWindow::repaint() {
    GtkWidget* window = toplevel_.get();
    if (fill_) {
        const int scale = gtk_widget_get_scale_factor(window);
        int width = 0;
        int height = 0;
        gtk_window_get_size(GTK_WINDOW(window), &width, &height);
        width *= scale;
        height *= scale;
        // Kept from repaint to repaint, as the clock keeps its dial's image.
        if (!image_ || cairo_image_surface_get_width(image_.get()) != width ||
            cairo_image_surface_get_height(image_.get()) != height)
            image_.reset(cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height));
        const CairoPtr cr(cairo_create(image_.get()));
        cairo_set_source_rgb(cr.get(), 1, 1, 1);
        cairo_paint(cr.get());
    }
    gtk_widget_queue_draw(window);
}

bool FillCopyWindow::draw(cairo_t* cr) {
    if (!image_) return false;
    const double scale = gtk_widget_get_scale_factor(toplevel_.get());
    cairo_save(cr);
    cairo_scale(cr, 1 / scale, 1 / scale);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cr, image_.get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    return true;
}

}  // namespace quorvenda::drive
