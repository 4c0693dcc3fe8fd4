#pragma once
// The native clock's baseline window: a GTK 3 window of the clock's size at
// its place, titled TITLE, that draws nothing of its own ("bare"), or that
// fills a kept image of its size white and copies it when drawn, as the
// clock's window copies its dial ("fill-copy"). What is left of the clock's
// cost beyond these is its repaint.
#include <cairo.h>
#include <gtk/gtk.h>

#include <string>

#include "app/gtk/gtk_handles.h"

namespace quorvenda::drive {

class FillCopyWindow {
public:
    // Made hidden, as the clock's window is.
    FillCopyWindow(const std::string& title, bool fill);
    FillCopyWindow(const FillCopyWindow&) = delete;
    FillCopyWindow& operator=(const FillCopyWindow&) = delete;

    // Realizes and shows the window, its image filled first as the clock's dial is painted before it maps.
    void show();
    // What the clock does on its timer: the image filled again, the window to be drawn.
    void repaint();
    // What the clock does when GTK draws its window: the image copied.
    bool draw(cairo_t* cr);
    GtkWidget* widget() const { return toplevel_.get(); }

private:
    ToplevelPtr toplevel_;
    bool fill_;
    CairoSurfacePtr image_;
};

}  // namespace quorvenda::drive
