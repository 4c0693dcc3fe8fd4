#pragma once
// Owning wrappers for the GLib and GTK objects the program keeps (the Cairo
// and GObject ones are the drawing surface's, shared): each releases its
// object once, when it goes out of scope, and none can be copied, so no
// object is unreferenced twice or leaked on an early return.
#include <glib.h>
#include <gtk/gtk.h>

#include <memory>

#include "render/cairo/cairo_handles.h"

namespace quorvenda {

// A top-level widget: GTK holds it until it is destroyed.
using ToplevelPtr = std::unique_ptr<GtkWidget, ReleaseWith<gtk_widget_destroy>>;

// A string or buffer GLib allocated for the caller.
template <class T>
using GOwned = std::unique_ptr<T, ReleaseWith<g_free>>;

using GErrorPtr = std::unique_ptr<GError, ReleaseWith<g_error_free>>;

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
