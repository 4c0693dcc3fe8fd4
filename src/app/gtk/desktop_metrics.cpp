#include "app/gtk/desktop_metrics.h"

#include <cmath>

#include "app/gtk/gtk_handles.h"
#include "core/dpi_scale.h"
#include "render/cairo/pango_font.h"

namespace quorvenda {

namespace {

constexpr double xftDpiUnits = 1024.0;  // gtk-xft-dpi is in 1024ths of a dot per inch

}  // namespace

int desktopDpi(GtkWidget* window) {
    // The setting itself, not the screen's resolution, which GTK updates from
    // it in a handler of the same change that may run after the clock's.
    gint xftDpi = -1;
    g_object_get(gtk_widget_get_settings(window), "gtk-xft-dpi", &xftDpi, nullptr);
    const double resolution =
        xftDpi > 0 ? xftDpi / xftDpiUnits : gdk_screen_get_resolution(gtk_widget_get_screen(window));
    // -1 when neither is set: then the design DPI.
    const int logicalDpi = resolution > 0 ? static_cast<int>(std::lround(resolution)) : designDpi;
    return usableDpi(logicalDpi * gtk_widget_get_scale_factor(window));
}

CairoSystemFont desktopSystemFont(GtkWidget* window, int dpi) {
    gchar* name = nullptr;
    g_object_get(gtk_widget_get_settings(window), "gtk-font-name", &name, nullptr);
    const GOwned<gchar> fontName(name);
    const PangoFontDescriptionPtr description(
        pango_font_description_from_string(fontName ? fontName.get() : "Sans 10"));
    CairoSystemFont font;
    const char* family = pango_font_description_get_family(description.get());
    font.family = family != nullptr ? family : "Sans";
    font.pixelHeight = desktopFontPixelHeight(description.get(), dpi, gtk_widget_get_scale_factor(window));
    return font;
}

}  // namespace quorvenda
