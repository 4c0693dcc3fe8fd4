#include "render/win32/win32_canvas.h"

#include "render/win32/win32_gdi.h"

namespace quorvenda {

Win32Canvas::~Win32Canvas() {
    if (dc_ && ownBitmap_ != nullptr) SelectObject(dc_.get(), ownBitmap_);
}

GdiApi& Win32Canvas::gdi() {
    return win32Gdi();
}

PictureCanvas::Image Win32Canvas::prepare(int width, int height) {
    if (holds(width, height)) return Image::kept;
    HDC windowDc = GetDC(window_);
    if (windowDc == nullptr) return Image::missing;
    // Compatible with the window, as a whole repaint's off-screen bitmap is.
    HBITMAP bitmap = CreateCompatibleBitmap(windowDc, width, height);
    if (!dc_ && bitmap != nullptr) dc_.reset(CreateCompatibleDC(windowDc));
    ReleaseDC(window_, windowDc);
    if (bitmap == nullptr || !dc_) {
        if (bitmap != nullptr) DeleteObject(bitmap);
        return Image::missing;
    }
    const HGDIOBJ previous = SelectObject(dc_.get(), bitmap);
    if (ownBitmap_ == nullptr) ownBitmap_ = previous;
    bitmap_.reset(bitmap);  // the one it replaced is no longer selected anywhere
    width_ = width;
    height_ = height;
    return Image::made;
}

DcHandle Win32Canvas::openDC() {
    return toDcHandle(dc_.get());
}

void Win32Canvas::clipTo(DcHandle dc, const std::vector<Rect>& areas) {
    HRGN clip = CreateRectRgn(0, 0, 0, 0);
    if (clip == nullptr) return;
    for (const Rect& a : areas) {
        HRGN area = CreateRectRgn(a.left, a.top, a.right, a.bottom);
        if (area == nullptr) continue;
        CombineRgn(clip, clip, area, RGN_OR);
        DeleteObject(area);
    }
    // The device context keeps a copy of the region.
    SelectClipRgn(toHdc(dc), clip);
    DeleteObject(clip);
}

void Win32Canvas::closeDC(DcHandle dc) {
    SelectClipRgn(toHdc(dc), nullptr);
}

void Win32Canvas::copyTo(HDC target, const RECT& area) const {
    if (!dc_) return;
    BitBlt(target, area.left, area.top, area.right - area.left, area.bottom - area.top, dc_.get(), area.left, area.top,
           SRCCOPY);
}

}  // namespace quorvenda
