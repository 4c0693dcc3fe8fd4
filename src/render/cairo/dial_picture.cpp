#include "render/cairo/dial_picture.h"

#include <algorithm>
#include <utility>

namespace quorvenda {

DialPicture::DialPicture(CairoGdi& gdi, cairo_format_t format) : gdi_(gdi), format_(format), recorder_(gdi) {}

const std::vector<Rect>& DialPicture::repaint(int width, int height, EventState& state, const RepaintSources& sources) {
    changed_.clear();
    if (width <= 0 || height <= 0) return changed_;
    const Rect whole{0, 0, width, height};
    if (!image_ || cairo_image_surface_get_width(image_.get()) != width ||
        cairo_image_surface_get_height(image_.get()) != height) {
        image_.reset(cairo_image_surface_create(format_, width, height));
        drawnKnown_ = false;
    }
    if (cairo_surface_status(image_.get()) != CAIRO_STATUS_SUCCESS) {
        image_.reset();
        return changed_;
    }

    paintDial(recorder_, recorder_.windowDc(), width, height, state, sources, noObject);
    DisplayList list = recorder_.takeList();
    if (list.unkeepable) {
        recorder_.release();
        drawWhole(width, height, state, sources);
        return changed_;
    }
    if (drawnKnown_) {
        for (Rect area : changedAreas(drawn_, list)) {
            area = Rect{std::max(area.left, 0), std::max(area.top, 0), std::min(area.right, width),
                        std::min(area.bottom, height)};
            if (area.left < area.right && area.top < area.bottom) changed_.push_back(area);
        }
    } else {
        changed_.push_back(whole);
    }
    if (!changed_.empty()) {
        const DcHandle opaque = gdi_.createSurfaceDC(image_.get());
        const DcHandle transparent = gdi_.createSurfaceDC(image_.get());
        gdi_.clipTo(opaque, changed_);
        gdi_.clipTo(transparent, changed_);
        gdi_.setBkModeTransparent(transparent);
        drawItems(gdi_, opaque, transparent, list, changed_);
        gdi_.deleteDC(transparent);
        gdi_.deleteDC(opaque);
    }
    recorder_.release();
    drawn_ = std::move(list);
    drawnKnown_ = true;
    return changed_;
}

void DialPicture::drawWhole(int width, int height, EventState& state, const RepaintSources& sources) {
    // Drawn the ordinary way, into the image as it stands.
    const DcHandle dc = gdi_.createSurfaceDC(image_.get());
    paintDial(gdi_, dc, width, height, state, sources, noObject);
    gdi_.deleteDC(dc);
    drawnKnown_ = false;
    changed_.assign(1, Rect{0, 0, width, height});
}

}  // namespace quorvenda
