#include "render/cairo/cairo_strokes.h"

namespace quorvenda {

namespace {

constexpr double pixelCentre = 0.5;

}  // namespace

void setSource(cairo_t* cr, Colour colour) {
    constexpr double full = 255.0;
    cairo_set_source_rgb(cr, (colour & 0xFFu) / full, (colour >> 8 & 0xFFu) / full, (colour >> 16 & 0xFFu) / full);
}

CairoPtr shapeContext(cairo_surface_t* surface) {
    CairoPtr cr(cairo_create(surface));
    cairo_set_antialias(cr.get(), CAIRO_ANTIALIAS_NONE);
    return cr;
}

void tracePolyline(cairo_t* cr, const std::vector<CurvePoint>& points) {
    for (const CurvePoint& p : points) cairo_line_to(cr, p.x + pixelCentre, p.y + pixelCentre);
}

void traceEllipse(cairo_t* cr, const GdiEllipse& e, ArcSweep sweep) {
    constexpr double smallestRadius = 0.5;
    if (e.radiusX < smallestRadius || e.radiusY < smallestRadius) {
        tracePolyline(cr, ellipsePoints(e, sweep));
        return;
    }
    cairo_save(cr);
    cairo_translate(cr, e.centreX + pixelCentre, e.centreY + pixelCentre);
    cairo_scale(cr, e.radiusX, e.radiusY);
    cairo_arc_negative(cr, 0, 0, 1, -sweep.from, -sweep.to);
    cairo_restore(cr);
}

void strokeWide(cairo_t* cr, int width, Joins joins) {
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, joins == Joins::round ? CAIRO_LINE_JOIN_ROUND : CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
}

}  // namespace quorvenda
