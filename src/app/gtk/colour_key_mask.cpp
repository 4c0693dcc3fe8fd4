#include "app/gtk/colour_key_mask.h"

#include <gdk/gdk.h>

#include <bit>
#include <cstdint>

#include "core/colour_settings.h"

namespace quorvenda {

namespace {

// RGB24 keeps 0x00RRGGBB in a native 32-bit word; the top byte is unused.
constexpr std::uint32_t rgbBits = 0x00FFFFFF;

constexpr std::uint32_t rgb24Of(Colour colour) {
    const std::uint32_t bgr = static_cast<std::uint32_t>(colour);
    return ((bgr & 0xFF) << 16) | (bgr & 0xFF00) | ((bgr >> 16) & 0xFF);
}

// A1 packs 32 pixels a word in the platform's bit order.
constexpr std::uint32_t a1Bit(int x) {
    const unsigned shift = static_cast<unsigned>(x % 32);
    return std::endian::native == std::endian::little ? 1u << shift : 0x80000000u >> shift;
}

}  // namespace

CairoSurfacePtr keyedOutMask(cairo_surface_t* image) {
    cairo_surface_flush(image);
    const int width = cairo_image_surface_get_width(image);
    const int height = cairo_image_surface_get_height(image);
    CairoSurfacePtr mask(cairo_image_surface_create(CAIRO_FORMAT_A1, width, height));
    if (cairo_surface_status(mask.get()) != CAIRO_STATUS_SUCCESS) return mask;
    cairo_surface_flush(mask.get());
    const unsigned char* source = cairo_image_surface_get_data(image);
    unsigned char* target = cairo_image_surface_get_data(mask.get());
    const int sourceStride = cairo_image_surface_get_stride(image);
    const int targetStride = cairo_image_surface_get_stride(mask.get());
    constexpr std::uint32_t key = rgb24Of(colourKey);
    for (int y = 0; y < height; ++y) {
        const auto* pixels =
            reinterpret_cast<const std::uint32_t*>(source + static_cast<std::ptrdiff_t>(y) * sourceStride);
        auto* words = reinterpret_cast<std::uint32_t*>(target + static_cast<std::ptrdiff_t>(y) * targetStride);
        for (int x = 0; x < width; ++x) {
            if ((pixels[x] & rgbBits) != key) words[x / 32] |= a1Bit(x);
        }
    }
    cairo_surface_mark_dirty(mask.get());
    return mask;
}

CairoRegionPtr regionOfMask(cairo_surface_t* mask) {
    return CairoRegionPtr(gdk_cairo_region_create_from_surface(mask));
}

}  // namespace quorvenda
