#pragma once
// Direct access to the pixels of Cairo's RGB24 and ARGB32 image surfaces:
// where GDI's rule, not a rasteriser, decides what a stroke covers, and GDI's
// conversion between monochrome and colour bitmaps.
#include <cairo.h>

#include <cstdint>
#include <vector>

#include "core/colour.h"
#include "render/cairo/cairo_handles.h"
#include "render/cairo/gdi_geometry.h"

namespace quorvenda {

// 0xAARRGGBB in native order, opaque, for a COLORREF; and back.
std::uint32_t pixelOf(Colour colour);
Colour colourOf(std::uint32_t pixel);

// An image surface in RGB24 or ARGB32 that is usable.
bool drawableImage(cairo_surface_t* surface);
PixelBounds boundsOf(cairo_surface_t* surface);

// A pixel that lets everything beneath show: white where the colour key is transparent.
constexpr std::uint32_t transparentPixel = 0;

// Sets the pixels inside the surface (and inside `clip`, where given) to `pixel`; the others are skipped.
void setPixels(cairo_surface_t* surface, const std::vector<Point>& pixels, std::uint32_t pixel,
               const cairo_region_t* clip = nullptr);

// A copy of `source`, converted as GDI converts between monochrome and colour:
// to colour, black bits take the destination's text colour and white ones its
// background colour; to monochrome, pixels of the source's background colour
// turn white and all others black.
enum class PixelConversion { none, toColour, toMonochrome };
CairoSurfacePtr convertedCopy(cairo_surface_t* source, PixelConversion conversion, Colour textColour, Colour bkColour);

}  // namespace quorvenda
