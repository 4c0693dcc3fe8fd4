#pragma once
// The kept picture's canvas on Win32 GDI: a bitmap compatible with the
// window, selected into one memory device context for as long as it is kept,
// so a tick draws into it only what changed and WM_PAINT copies from it only
// what the system asks for.
#include <windows.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "render/picture_canvas.h"

namespace quorvenda {

class Win32Canvas final : public PictureCanvas {
public:
    explicit Win32Canvas(HWND window) : window_(window) {}
    ~Win32Canvas() override;
    Win32Canvas(const Win32Canvas&) = delete;
    Win32Canvas& operator=(const Win32Canvas&) = delete;

    // A picture of `width` × `height` is kept.
    bool holds(int width, int height) const { return bitmap_ && width == width_ && height == height_; }
    // Copies `area` of the picture onto `target`, at the same place.
    void copyTo(HDC target, const RECT& area) const;

    GdiApi& gdi() override;
    Image prepare(int width, int height) override;
    DcHandle openDC() override;
    void clipTo(DcHandle dc, const std::vector<Rect>& areas) override;
    void closeDC(DcHandle dc) override;

private:
    struct DeleteDc {
        void operator()(HDC dc) const { DeleteDC(dc); }
    };
    struct DeleteGdiObject {
        void operator()(HGDIOBJ object) const { DeleteObject(object); }
    };

    HWND window_;
    // The bitmap outlives the device context it is selected into.
    std::unique_ptr<std::remove_pointer_t<HBITMAP>, DeleteGdiObject> bitmap_;
    std::unique_ptr<std::remove_pointer_t<HDC>, DeleteDc> dc_;
    HGDIOBJ ownBitmap_ = nullptr;  // the device context's own, put back before its bitmap goes
    int width_ = 0;
    int height_ = 0;
};

}  // namespace quorvenda
