#include "render/bitmap_dc.h"

namespace quorvenda {

namespace {

constexpr int fallbackBitmapSize = 1;

}  // namespace

BitmapDC::BitmapDC(GdiApi& gdi, GdiObject bitmap) : CDC(gdi), fallback_(gdi) {
    if (bitmap == noObject) {
        fallback_.CreateMonochromeBitmap(fallbackBitmapSize, fallbackBitmapSize);
        bitmap = fallback_.GetSafeHandle();
    }
    const DcHandle dc = gdi.createCompatibleDC(noDc);
    oldBitmap_ = gdi.selectObject(dc, bitmap);
    Attach(dc);
    gdi.yieldTimeSlice();
}

BitmapDC::~BitmapDC() {
    const DcHandle dc = Detach();
    if (dc == noDc) return;
    gdi().selectObject(dc, oldBitmap_);
    gdi().deleteDC(dc);
}

}  // namespace quorvenda
