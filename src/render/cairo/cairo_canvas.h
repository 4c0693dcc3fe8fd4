#pragma once
// The kept picture's canvas on Cairo: an image surface of the picture's size,
// drawn on through surface device contexts of the Cairo surface.
#include <cairo.h>

#include "render/cairo/cairo_gdi.h"
#include "render/cairo/cairo_handles.h"
#include "render/picture_canvas.h"

namespace quorvenda {

class CairoCanvas final : public PictureCanvas {
public:
    // Draws through `gdi`, which outlives this canvas, into an image of `format` (RGB24 or ARGB32).
    CairoCanvas(CairoGdi& gdi, cairo_format_t format) : gdi_(gdi), format_(format) {}

    // The picture; null until one could be made.
    cairo_surface_t* image() const { return image_.get(); }

    GdiApi& gdi() override { return gdi_; }
    Image prepare(int width, int height) override;
    DcHandle openDC() override { return gdi_.createSurfaceDC(image_.get()); }
    void clipTo(DcHandle dc, const std::vector<Rect>& areas) override { gdi_.clipTo(dc, areas); }
    void closeDC(DcHandle dc) override { gdi_.deleteDC(dc); }

private:
    CairoGdi& gdi_;
    cairo_format_t format_;
    CairoSurfacePtr image_;
};

}  // namespace quorvenda
