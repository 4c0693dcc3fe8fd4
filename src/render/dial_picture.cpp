#include "render/dial_picture.h"

#include <algorithm>
#include <utility>

namespace quorvenda {

DialPicture::DialPicture(PictureCanvas& canvas) : canvas_(canvas), recorder_(canvas.gdi()) {}

const std::vector<Rect>& DialPicture::repaint(int width, int height, EventState& state, const RepaintSources& sources) {
    changed_.clear();
    if (width <= 0 || height <= 0) return changed_;
    switch (canvas_.prepare(width, height)) {
        case PictureCanvas::Image::kept: break;
        case PictureCanvas::Image::made: drawnKnown_ = false; break;
        case PictureCanvas::Image::missing: drawnKnown_ = false; return changed_;
    }

    paintDial(recorder_, recorder_.windowDc(), width, height, state, sources);
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
        changed_.push_back(Rect{0, 0, width, height});
    }
    if (!changed_.empty()) {
        GdiApi& gdi = canvas_.gdi();
        const DcHandle dc = canvas_.openDC();
        canvas_.clipTo(dc, changed_);
        drawItems(gdi, dc, list, changed_);
        canvas_.closeDC(dc);
    }
    recorder_.release();
    drawn_ = std::move(list);
    drawnKnown_ = true;
    return changed_;
}

void DialPicture::drawWhole(int width, int height, EventState& state, const RepaintSources& sources) {
    // Drawn the ordinary way, into the image as it stands.
    const DcHandle dc = canvas_.openDC();
    paintDial(canvas_.gdi(), dc, width, height, state, sources);
    canvas_.closeDC(dc);
    drawnKnown_ = false;
    changed_.assign(1, Rect{0, 0, width, height});
}

}  // namespace quorvenda
