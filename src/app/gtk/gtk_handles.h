#pragma once
// Owning wrappers for the GLib, GTK and Cairo objects the program keeps:
// each releases its object once, when it goes out of scope, and none can be
// copied, so no object is unreferenced twice or leaked on an early return.
#include <cairo.h>
#include <glib-object.h>
#include <glib.h>
#include <gtk/gtk.h>

#include <memory>

namespace quorvenda {

struct GObjectUnref {
    void operator()(gpointer object) const { g_object_unref(object); }
};
// Holds one reference to a GObject (a dialog, an app-launch context, a file).
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectUnref>;

struct WidgetDestroy {
    void operator()(GtkWidget* widget) const { gtk_widget_destroy(widget); }
};
// A top-level widget: GTK holds it until it is destroyed.
using ToplevelPtr = std::unique_ptr<GtkWidget, WidgetDestroy>;

struct GFree {
    void operator()(gpointer memory) const { g_free(memory); }
};
// A string or buffer GLib allocated for the caller.
template <class T>
using GOwned = std::unique_ptr<T, GFree>;

struct GErrorFree {
    void operator()(GError* error) const { g_error_free(error); }
};
using GErrorPtr = std::unique_ptr<GError, GErrorFree>;

struct CairoSurfaceDestroy {
    void operator()(cairo_surface_t* surface) const { cairo_surface_destroy(surface); }
};
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, CairoSurfaceDestroy>;

struct CairoRegionDestroy {
    void operator()(cairo_region_t* region) const { cairo_region_destroy(region); }
};
using CairoRegionPtr = std::unique_ptr<cairo_region_t, CairoRegionDestroy>;

struct CairoDestroy {
    void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
using CairoPtr = std::unique_ptr<cairo_t, CairoDestroy>;

// One GLib timeout, removed when the owner goes or the timeout is armed again.
class TimeoutSource {
public:
    TimeoutSource() = default;
    ~TimeoutSource() { cancel(); }
    TimeoutSource(const TimeoutSource&) = delete;
    TimeoutSource& operator=(const TimeoutSource&) = delete;

    // Calls `callback(data)` once after `delayMs`, or repeatedly while it returns G_SOURCE_CONTINUE,
    // when no source of a higher `priority` (a lower number) is ready.
    void arm(guint delayMs, GSourceFunc callback, gpointer data, gint priority = G_PRIORITY_DEFAULT) {
        cancel();
        id_ = g_timeout_add_full(priority, delayMs, callback, data, nullptr);
    }
    // The callback returned G_SOURCE_REMOVE: GLib has removed the source itself.
    void fired() { id_ = 0; }
    void cancel() {
        if (id_ != 0) g_source_remove(id_);
        id_ = 0;
    }

private:
    guint id_ = 0;
};

}  // namespace quorvenda
