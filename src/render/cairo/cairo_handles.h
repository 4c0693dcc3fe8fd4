#pragma once
// Owning handles for the Cairo, Pango, GLib and fontconfig objects of the
// Cairo surface and of the GTK front end over it: each releases its object
// exactly once.
#include <cairo.h>
#include <fontconfig/fontconfig.h>
#include <glib-object.h>
#include <pango/pango.h>

#include <memory>

namespace quorvenda {

template <auto release>
struct ReleaseWith {
    template <typename T>
    void operator()(T* object) const {
        release(object);
    }
};

using CairoPtr = std::unique_ptr<cairo_t, ReleaseWith<cairo_destroy>>;
using CairoSurfacePtr = std::unique_ptr<cairo_surface_t, ReleaseWith<cairo_surface_destroy>>;
using CairoRegionPtr = std::unique_ptr<cairo_region_t, ReleaseWith<cairo_region_destroy>>;
using CairoFontOptionsPtr = std::unique_ptr<cairo_font_options_t, ReleaseWith<cairo_font_options_destroy>>;
using PangoFontDescriptionPtr = std::unique_ptr<PangoFontDescription, ReleaseWith<pango_font_description_free>>;
using PangoFontMetricsPtr = std::unique_ptr<PangoFontMetrics, ReleaseWith<pango_font_metrics_unref>>;
using FcPatternPtr = std::unique_ptr<FcPattern, ReleaseWith<FcPatternDestroy>>;

// A GObject (PangoContext, PangoLayout, a dialog, a file...), unreferenced once.
template <typename T>
using GObjectPtr = std::unique_ptr<T, ReleaseWith<g_object_unref>>;

}  // namespace quorvenda
