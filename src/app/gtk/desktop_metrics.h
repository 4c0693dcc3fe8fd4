#pragma once
// What the desktop says about its display: the DPI to draw at and the
// interface font, read again whenever the desktop changes either.
#include <gtk/gtk.h>

#include "render/cairo/cairo_gdi.h"

namespace quorvenda {

// Xft.dpi (the gtk-xft-dpi setting, or GDK's screen resolution) times the
// window's scale factor: the DPI of the device pixels the clock draws in.
int desktopDpi(GtkWidget* window);

// The desktop's interface font (gtk-font-name) at its pixel height at `dpi`.
CairoSystemFont desktopSystemFont(GtkWidget* window, int dpi);

}  // namespace quorvenda
