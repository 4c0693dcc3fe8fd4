#include "render/cairo/image_pixels.h"

#include <cstddef>

namespace quorvenda {

namespace {

Colour converted(Colour pixel, PixelConversion conversion, Colour textColour, Colour bkColour) {
    switch (conversion) {
        case PixelConversion::none: return pixel;
        case PixelConversion::toColour: return pixel == white ? bkColour : textColour;
        case PixelConversion::toMonochrome: return pixel == bkColour ? white : black;
    }
    return pixel;
}

}  // namespace

std::uint32_t pixelOf(Colour colour) {
    return 0xFF000000u | (colour & 0xFFu) << 16 | (colour & 0xFF00u) | (colour >> 16 & 0xFFu);
}
Colour colourOf(std::uint32_t pixel) {
    return rgb(pixel >> 16 & 0xFFu, pixel >> 8 & 0xFFu, pixel & 0xFFu);
}

bool drawableImage(cairo_surface_t* surface) {
    if (surface == nullptr || cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS ||
        cairo_surface_get_type(surface) != CAIRO_SURFACE_TYPE_IMAGE)
        return false;
    const cairo_format_t format = cairo_image_surface_get_format(surface);
    return format == CAIRO_FORMAT_RGB24 || format == CAIRO_FORMAT_ARGB32;
}

PixelBounds boundsOf(cairo_surface_t* surface) {
    return {cairo_image_surface_get_width(surface), cairo_image_surface_get_height(surface)};
}

void setPixels(cairo_surface_t* surface, const std::vector<Point>& pixels, std::uint32_t pixel,
               const cairo_region_t* clip) {
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    const int stride = cairo_image_surface_get_stride(surface);
    const PixelBounds bounds = boundsOf(surface);
    for (const Point& p : pixels) {
        if (p.x < 0 || p.y < 0 || p.x >= bounds.width || p.y >= bounds.height) continue;
        if (clip != nullptr && !cairo_region_contains_point(clip, p.x, p.y)) continue;
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(p.y) * stride);
        row[p.x] = pixel;
    }
    cairo_surface_mark_dirty(surface);
}

CairoSurfacePtr convertedCopy(cairo_surface_t* source, PixelConversion conversion, Colour textColour, Colour bkColour) {
    const PixelBounds bounds = boundsOf(source);
    CairoSurfacePtr copy(cairo_image_surface_create(CAIRO_FORMAT_RGB24, bounds.width, bounds.height));
    cairo_surface_flush(source);
    const unsigned char* from = cairo_image_surface_get_data(source);
    unsigned char* to = cairo_image_surface_get_data(copy.get());
    if (from == nullptr || to == nullptr) return copy;
    const int fromStride = cairo_image_surface_get_stride(source);
    const int toStride = cairo_image_surface_get_stride(copy.get());
    for (int y = 0; y < bounds.height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(from + static_cast<std::ptrdiff_t>(y) * fromStride);
        auto* out = reinterpret_cast<std::uint32_t*>(to + static_cast<std::ptrdiff_t>(y) * toStride);
        for (int x = 0; x < bounds.width; ++x) {
            out[x] = pixelOf(converted(colourOf(in[x]), conversion, textColour, bkColour));
        }
    }
    cairo_surface_mark_dirty(copy.get());
    return copy;
}

}  // namespace quorvenda
