#include "render/win32/win32_gdi.h"

#include <climits>

#include "core/win32/utf16_from_shift_jis.h"

namespace quorvenda {

namespace {

// Text lengths are UTF-16 unit counts; GDI takes an int.
int unitCount(const std::wstring& text) {
    return text.size() > static_cast<std::size_t>(INT_MAX) ? INT_MAX : static_cast<int>(text.size());
}

}  // namespace

GdiObject Win32Gdi::createPen(PenStyle style, int width, Colour colour) {
    return toGdiObject(CreatePen(static_cast<int>(style), width, colour));
}

GdiObject Win32Gdi::createFont(const FontSpec& s) {
    return toGdiObject(CreateFontW(s.height, s.width, s.escapement, s.orientation, s.weight, s.italic, s.underline,
                                   s.strikeOut, static_cast<DWORD>(s.charSet), static_cast<DWORD>(s.outPrecision),
                                   static_cast<DWORD>(s.clipPrecision), static_cast<DWORD>(s.quality),
                                   static_cast<DWORD>(s.pitchAndFamily), utf16FromShiftJis(s.faceName).c_str()));
}

GdiObject Win32Gdi::createCompatibleBitmap(DcHandle dc, int width, int height) {
    return toGdiObject(CreateCompatibleBitmap(toHdc(dc), width, height));
}

GdiObject Win32Gdi::createMonochromeBitmap(int width, int height) {
    return toGdiObject(CreateBitmap(width, height, 1, 1, nullptr));
}

GdiObject Win32Gdi::getStockObject(StockObject which) {
    return toGdiObject(GetStockObject(which == StockObject::blackPen ? BLACK_PEN : SYSTEM_FONT));
}

bool Win32Gdi::deleteObject(GdiObject object) {
    return DeleteObject(toHgdiobj(object)) != FALSE;
}

DcHandle Win32Gdi::createCompatibleDC(DcHandle dc) {
    return toDcHandle(CreateCompatibleDC(toHdc(dc)));
}

bool Win32Gdi::deleteDC(DcHandle dc) {
    return DeleteDC(toHdc(dc)) != FALSE;
}

GdiObject Win32Gdi::selectObject(DcHandle dc, GdiObject object) {
    return toGdiObject(SelectObject(toHdc(dc), toHgdiobj(object)));
}

Colour Win32Gdi::setBkColor(DcHandle dc, Colour colour) {
    return SetBkColor(toHdc(dc), colour);
}

void Win32Gdi::extTextOutOpaque(DcHandle dc, const Rect& r) {
    const RECT rect{r.left, r.top, r.right, r.bottom};
    ExtTextOutW(toHdc(dc), 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void Win32Gdi::setBkModeTransparent(DcHandle dc) {
    SetBkMode(toHdc(dc), TRANSPARENT);
}

void Win32Gdi::setBkModeOpaque(DcHandle dc) {
    SetBkMode(toHdc(dc), OPAQUE);
}

Colour Win32Gdi::setTextColor(DcHandle dc, Colour colour) {
    return SetTextColor(toHdc(dc), colour);
}

void Win32Gdi::textOut(DcHandle dc, int x, int y, std::string_view text) {
    const std::wstring wide = utf16FromShiftJis(text);
    TextOutW(toHdc(dc), x, y, wide.c_str(), unitCount(wide));
}

TextExtent Win32Gdi::getTextExtent(DcHandle dc, std::string_view text) {
    const std::wstring wide = utf16FromShiftJis(text);
    SIZE size{};
    if (!GetTextExtentPoint32W(toHdc(dc), wide.c_str(), unitCount(wide), &size)) return {};
    return TextExtent{size.cx, size.cy};
}

void Win32Gdi::moveTo(DcHandle dc, int x, int y) {
    MoveToEx(toHdc(dc), x, y, nullptr);
}

void Win32Gdi::lineTo(DcHandle dc, int x, int y) {
    LineTo(toHdc(dc), x, y);
}

void Win32Gdi::ellipse(DcHandle dc, int left, int top, int right, int bottom) {
    Ellipse(toHdc(dc), left, top, right, bottom);
}

void Win32Gdi::arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    Arc(toHdc(dc), left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

void Win32Gdi::stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc,
                          int widthSrc, int heightSrc) {
    StretchBlt(toHdc(dst), x, y, width, height, toHdc(src), xSrc, ySrc, widthSrc, heightSrc, SRCCOPY);
}

void Win32Gdi::yieldTimeSlice() {
    Sleep(0);
}

GdiApi& win32Gdi() {
    static Win32Gdi gdi;
    return gdi;
}

}  // namespace quorvenda
