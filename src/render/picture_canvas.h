#pragma once
// What a platform gives the kept picture: an image of a size, kept from one
// repaint to the next, a device context that draws on it, and a clip that
// limits that device context to some rectangles.
#include <vector>

#include "render/gdi_api.h"

namespace quorvenda {

class PictureCanvas {
public:
    virtual ~PictureCanvas() = default;

    // The surface the device contexts below belong to.
    virtual GdiApi& gdi() = 0;

    enum class Image {
        kept,     // of that size already: it shows what was last drawn on it
        made,     // made anew (the first time, or a new size): its pixels are unknown
        missing,  // none could be made; tried again next time
    };
    // An image of `width` × `height` device pixels.
    virtual Image prepare(int width, int height) = 0;

    // A device context drawing on the image, until closeDC. It is also the
    // target of a whole repaint's final copy.
    virtual DcHandle openDC() = 0;
    // Limits what `dc` draws to `areas`, in the image's pixels, until closeDC.
    virtual void clipTo(DcHandle dc, const std::vector<Rect>& areas) = 0;
    virtual void closeDC(DcHandle dc) = 0;
};

}  // namespace quorvenda
