#include "render/cairo/cairo_canvas.h"

namespace quorvenda {

PictureCanvas::Image CairoCanvas::prepare(int width, int height) {
    if (image_ && cairo_image_surface_get_width(image_.get()) == width &&
        cairo_image_surface_get_height(image_.get()) == height)
        return Image::kept;
    image_.reset(cairo_image_surface_create(format_, width, height));
    if (cairo_surface_status(image_.get()) != CAIRO_STATUS_SUCCESS) {
        image_.reset();
        return Image::missing;
    }
    return Image::made;
}

}  // namespace quorvenda
