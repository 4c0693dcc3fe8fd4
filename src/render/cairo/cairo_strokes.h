#pragma once
// Strokes and fills through Cairo as GDI places them: no antialiasing, so a
// stroke leaves every pixel off it exactly as it was; coordinates are GDI's
// pixel centres, which lie half a pixel into Cairo's pixels.
#include <cairo.h>

#include <vector>

#include "core/colour.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/gdi_geometry.h"

namespace quorvenda {

void setSource(cairo_t* cr, Colour colour);

// A drawing context on `surface` for shapes, antialiasing off.
CairoPtr shapeContext(cairo_surface_t* surface);

void tracePolyline(cairo_t* cr, const std::vector<CurvePoint>& points);

// The ellipse through the sweep as Cairo's own arc, counter-clockwise on the
// screen: a few curves instead of a point every half pixel. A flat ellipse
// (a radius under half a pixel) cannot be scaled to, so it goes as chords.
void traceEllipse(cairo_t* cr, const GdiEllipse& ellipse, ArcSweep sweep);

// Strokes the path with round ends in the context's source and operator. The joins of a curve's many short pieces
// need no rounding (they meet at almost no angle), which keeps it cheap.
enum class Joins { round, alongCurve };
void strokeWide(cairo_t* cr, int width, Joins joins);

}  // namespace quorvenda
