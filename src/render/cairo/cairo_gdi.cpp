#include "render/cairo/cairo_gdi.h"

namespace quorvenda {

struct CairoGdi::State {};

CairoGdi::CairoGdi(CairoSystemFont) : state_(std::make_unique<State>()) {}
CairoGdi::~CairoGdi() = default;
DcHandle CairoGdi::createSurfaceDC(cairo_surface_t*) {
    return noDc;
}
GdiObject CairoGdi::createPen(PenStyle, int, Colour) {
    return noObject;
}
GdiObject CairoGdi::createFont(const FontSpec&) {
    return noObject;
}
GdiObject CairoGdi::createCompatibleBitmap(DcHandle, int, int) {
    return noObject;
}
GdiObject CairoGdi::createMonochromeBitmap(int, int) {
    return noObject;
}
GdiObject CairoGdi::getStockObject(StockObject) {
    return noObject;
}
bool CairoGdi::deleteObject(GdiObject) {
    return false;
}
DcHandle CairoGdi::createCompatibleDC(DcHandle) {
    return noDc;
}
bool CairoGdi::deleteDC(DcHandle) {
    return false;
}
GdiObject CairoGdi::selectObject(DcHandle, GdiObject) {
    return noObject;
}
Colour CairoGdi::setBkColor(DcHandle, Colour) {
    return 0;
}
void CairoGdi::extTextOutOpaque(DcHandle, const Rect&) {}
void CairoGdi::setBkModeTransparent(DcHandle) {}
Colour CairoGdi::setTextColor(DcHandle, Colour) {
    return 0;
}
void CairoGdi::textOut(DcHandle, int, int, std::string_view) {}
TextExtent CairoGdi::getTextExtent(DcHandle, std::string_view) {
    return {};
}
void CairoGdi::moveTo(DcHandle, int, int) {}
void CairoGdi::lineTo(DcHandle, int, int) {}
void CairoGdi::ellipse(DcHandle, int, int, int, int) {}
void CairoGdi::arc(DcHandle, int, int, int, int, int, int, int, int) {}
void CairoGdi::stretchBlt(DcHandle, int, int, int, int, DcHandle, int, int, int, int) {}
void CairoGdi::yieldTimeSlice() {}

}  // namespace quorvenda
