#pragma once
// Owning wrappers over the drawing surface in the manner of an application
// framework: a CDC holds one device context, a CPen, CFont or CBitmap holds
// one drawing object, and each releases what it owns exactly once. Copies are
// deleted so that no handle can be released twice; moves hand ownership over.
#include <string_view>

#include "core/colour.h"
#include "render/gdi_api.h"

namespace quorvenda {

// One drawing object; DeleteObject on destruction.
class CGdiObject {
public:
    explicit CGdiObject(GdiApi& gdi) : gdi_(&gdi) {}
    CGdiObject(GdiApi& gdi, GdiObject handle) : gdi_(&gdi), handle_(handle) {}
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;

    GdiObject GetSafeHandle() const { return handle_; }
    bool DeleteObject();  // releases the object now; false when there was none
    GdiObject Detach();   // gives the object up without releasing it

protected:
    void adopt(GdiObject handle);  // releases any current object first
    GdiApi& gdi() const { return *gdi_; }

private:
    GdiApi* gdi_;
    GdiObject handle_ = noObject;
};

class CPen : public CGdiObject {
public:
    explicit CPen(GdiApi& gdi) : CGdiObject(gdi) {}
    CPen(GdiApi& gdi, PenStyle style, int width, Colour colour);
    bool CreatePen(PenStyle style, int width, Colour colour);
};

class CFont : public CGdiObject {
public:
    explicit CFont(GdiApi& gdi) : CGdiObject(gdi) {}
    CFont(GdiApi& gdi, const FontSpec& fontSpec);
    bool CreateFont(const FontSpec& fontSpec);
};

class CBitmap : public CGdiObject {
public:
    explicit CBitmap(GdiApi& gdi) : CGdiObject(gdi) {}
    // A bitmap in the colour format of `dc` (a window's device context gives the screen's format).
    bool CreateCompatibleBitmap(DcHandle dc, int width, int height);
    // One plane, one bit per pixel.
    bool CreateMonochromeBitmap(int width, int height);
};

// A device context used through the drawing surface.
class CDC {
public:
    explicit CDC(GdiApi& gdi) : gdi_(gdi) {}  // nothing attached yet
    virtual ~CDC();                           // DeleteDC on an attached device context
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    void Attach(DcHandle dc);  // any device context attached before is released first
    DcHandle Detach();
    DcHandle GetSafeHdc() const { return dc_; }
    GdiApi& gdi() const { return gdi_; }

    // A memory device context compatible with `dc` (noDc: with the screen), attached to this object.
    bool CreateCompatibleDC(DcHandle dc);
    bool DeleteDC();

    GdiObject SelectObject(GdiObject object);  // returns the object it replaced
    GdiObject SelectObject(const CGdiObject& object) { return SelectObject(object.GetSafeHandle()); }
    GdiObject SelectStockObject(StockObject which);

    Colour SetBkColor(Colour colour);
    void SetBkModeTransparent();
    Colour SetTextColor(Colour colour);
    // Background colour, then an opaque ExtTextOut without text: paints the rectangle in one colour.
    void FillSolidRect(const Rect& rect, Colour colour);

    void TextOut(int x, int y, std::string_view text);
    TextExtent GetTextExtent(std::string_view text) const;
    void MoveTo(int x, int y);
    void LineTo(int x, int y);
    void Ellipse(int left, int top, int right, int bottom);
    void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // Copies from `source`; equal source and destination sizes give a 1:1 copy.
    void StretchBlt(int x, int y, int width, int height, const CDC& source, int xSrc, int ySrc, int widthSrc,
                    int heightSrc);

private:
    GdiApi& gdi_;
    DcHandle dc_ = noDc;
};

// A device context owned elsewhere (a window's paint device context): used, never deleted.
class BorrowedDC : public CDC {
public:
    BorrowedDC(GdiApi& gdi, DcHandle dc) : CDC(gdi) { Attach(dc); }
    ~BorrowedDC() override { Detach(); }
};

// Selects objects of one kind into a device context and, when the scope ends,
// puts back the object that was there before the first of them, so that none
// of ours is still selected when it is deleted.
class ScopedSelect {
public:
    explicit ScopedSelect(CDC& dc) : dc_(dc) {}
    ScopedSelect(CDC& dc, const CGdiObject& object) : dc_(dc) { select(object); }
    ~ScopedSelect();
    ScopedSelect(const ScopedSelect&) = delete;
    ScopedSelect& operator=(const ScopedSelect&) = delete;

    void select(const CGdiObject& object) { select(object.GetSafeHandle()); }
    void select(GdiObject object);
    CDC& dc() const { return dc_; }

private:
    CDC& dc_;
    GdiObject original_ = noObject;
};

}  // namespace quorvenda
