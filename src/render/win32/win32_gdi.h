#pragma once
// The drawing surface on real GDI: every operation forwards to the GDI call of
// the same meaning. Texts arrive as Shift-JIS and go to the wide entry points,
// converted from code page 932, so they read the same on every system.
#include <windows.h>

#include <cstdint>

#include "render/gdi_api.h"

namespace quorvenda {

inline HDC toHdc(DcHandle dc) {
    return reinterpret_cast<HDC>(static_cast<std::uintptr_t>(dc));
}
inline DcHandle toDcHandle(HDC dc) {
    return static_cast<DcHandle>(reinterpret_cast<std::uintptr_t>(dc));
}
inline HGDIOBJ toHgdiobj(GdiObject object) {
    return reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(object));
}
inline GdiObject toGdiObject(HGDIOBJ object) {
    return static_cast<GdiObject>(reinterpret_cast<std::uintptr_t>(object));
}

class Win32Gdi final : public GdiApi {
public:
    GdiObject createPen(PenStyle style, int width, Colour colour) override;
    GdiObject createFont(const FontSpec& fontSpec) override;
    GdiObject createCompatibleBitmap(DcHandle dc, int width, int height) override;
    GdiObject createMonochromeBitmap(int width, int height) override;
    GdiObject getStockObject(StockObject which) override;
    bool deleteObject(GdiObject object) override;

    DcHandle createCompatibleDC(DcHandle dc) override;
    bool deleteDC(DcHandle dc) override;
    GdiObject selectObject(DcHandle dc, GdiObject object) override;

    Colour setBkColor(DcHandle dc, Colour colour) override;
    void extTextOutOpaque(DcHandle dc, const Rect& rect) override;
    void setBkModeTransparent(DcHandle dc) override;
    void setBkModeOpaque(DcHandle dc) override;
    Colour setTextColor(DcHandle dc, Colour colour) override;
    void textOut(DcHandle dc, int x, int y, std::string_view text) override;
    TextExtent getTextExtent(DcHandle dc, std::string_view text) override;
    void moveTo(DcHandle dc, int x, int y) override;
    void lineTo(DcHandle dc, int x, int y) override;
    void ellipse(DcHandle dc, int left, int top, int right, int bottom) override;
    void arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd) override;
    void stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc, int widthSrc,
                    int heightSrc) override;

    void yieldTimeSlice() override;
};

// The one surface the program draws through; it holds no state.
GdiApi& win32Gdi();

}  // namespace quorvenda
