#include "render/gdi_objects.h"

#include <utility>

namespace quorvenda {

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept
    : gdi_(other.gdi_), handle_(std::exchange(other.handle_, noObject)) {}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
        DeleteObject();
        gdi_ = other.gdi_;
        handle_ = std::exchange(other.handle_, noObject);
    }
    return *this;
}

bool CGdiObject::DeleteObject() {
    if (handle_ == noObject) return false;
    return gdi_->deleteObject(std::exchange(handle_, noObject));
}

GdiObject CGdiObject::Detach() {
    return std::exchange(handle_, noObject);
}

void CGdiObject::adopt(GdiObject handle) {
    DeleteObject();
    handle_ = handle;
}

CPen::CPen(GdiApi& gdi, PenStyle style, int width, Colour colour) : CGdiObject(gdi) {
    CreatePen(style, width, colour);
}

bool CPen::CreatePen(PenStyle style, int width, Colour colour) {
    adopt(gdi().createPen(style, width, colour));
    return GetSafeHandle() != noObject;
}

CFont::CFont(GdiApi& gdi, const FontSpec& fontSpec) : CGdiObject(gdi) {
    CreateFont(fontSpec);
}

bool CFont::CreateFont(const FontSpec& fontSpec) {
    adopt(gdi().createFont(fontSpec));
    return GetSafeHandle() != noObject;
}

bool CBitmap::CreateCompatibleBitmap(DcHandle dc, int width, int height) {
    adopt(gdi().createCompatibleBitmap(dc, width, height));
    return GetSafeHandle() != noObject;
}

bool CBitmap::CreateMonochromeBitmap(int width, int height) {
    adopt(gdi().createMonochromeBitmap(width, height));
    return GetSafeHandle() != noObject;
}

CDC::~CDC() {
    DeleteDC();
}

void CDC::Attach(DcHandle dc) {
    DeleteDC();
    dc_ = dc;
}

DcHandle CDC::Detach() {
    return std::exchange(dc_, noDc);
}

bool CDC::CreateCompatibleDC(DcHandle dc) {
    Attach(gdi_.createCompatibleDC(dc));
    return dc_ != noDc;
}

bool CDC::DeleteDC() {
    if (dc_ == noDc) return false;
    return gdi_.deleteDC(std::exchange(dc_, noDc));
}

GdiObject CDC::SelectObject(GdiObject object) {
    return gdi_.selectObject(dc_, object);
}

GdiObject CDC::SelectStockObject(StockObject which) {
    return SelectObject(gdi_.getStockObject(which));
}

Colour CDC::SetBkColor(Colour colour) {
    return gdi_.setBkColor(dc_, colour);
}

void CDC::SetBkModeTransparent() {
    gdi_.setBkModeTransparent(dc_);
}

Colour CDC::SetTextColor(Colour colour) {
    return gdi_.setTextColor(dc_, colour);
}

void CDC::FillSolidRect(const Rect& rect, Colour colour) {
    SetBkColor(colour);
    gdi_.extTextOutOpaque(dc_, rect);
}

void CDC::TextOut(int x, int y, std::string_view text) {
    gdi_.textOut(dc_, x, y, text);
}

TextExtent CDC::GetTextExtent(std::string_view text) const {
    return gdi_.getTextExtent(dc_, text);
}

void CDC::MoveTo(int x, int y) {
    gdi_.moveTo(dc_, x, y);
}

void CDC::LineTo(int x, int y) {
    gdi_.lineTo(dc_, x, y);
}

void CDC::Ellipse(int left, int top, int right, int bottom) {
    gdi_.ellipse(dc_, left, top, right, bottom);
}

void CDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd) {
    gdi_.arc(dc_, left, top, right, bottom, xStart, yStart, xEnd, yEnd);
}

void CDC::StretchBlt(int x, int y, int width, int height, const CDC& source, int xSrc, int ySrc, int widthSrc,
                     int heightSrc) {
    gdi_.stretchBlt(dc_, x, y, width, height, source.GetSafeHdc(), xSrc, ySrc, widthSrc, heightSrc);
}

ScopedSelect::~ScopedSelect() {
    if (original_ != noObject) dc_.SelectObject(original_);
}

void ScopedSelect::select(GdiObject object) {
    const GdiObject previous = dc_.SelectObject(object);
    // The first selection that succeeds tells what to put back; a failed one returns nothing.
    if (original_ == noObject) original_ = previous;
}

}  // namespace quorvenda
