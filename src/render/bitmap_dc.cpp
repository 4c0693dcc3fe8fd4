#include "render/bitmap_dc.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quorvenda {

namespace {

constexpr int sharedBitmapSize = 1;

struct SharedBitmap {
    GdiApi* gdi;
    std::unique_ptr<CBitmap> bitmap;
};

// Constructed on first use, so its destruction is registered for process
// exit after any surface that already existed: those outlive it.
std::vector<SharedBitmap>& sharedBitmaps() {
    static std::vector<SharedBitmap> bitmaps;
    return bitmaps;
}

GdiObject sharedBitmapFor(GdiApi& gdi) {
    auto& bitmaps = sharedBitmaps();
    auto it = std::find_if(bitmaps.begin(), bitmaps.end(), [&](const SharedBitmap& s) { return s.gdi == &gdi; });
    if (it == bitmaps.end()) {
        bitmaps.push_back({&gdi, std::make_unique<CBitmap>(gdi)});
        it = bitmaps.end() - 1;
    }
    // A failed creation leaves no handle and is tried again next time.
    if (it->bitmap->GetSafeHandle() == noObject) {
        it->bitmap->CreateMonochromeBitmap(sharedBitmapSize, sharedBitmapSize);
    }
    return it->bitmap->GetSafeHandle();
}

}  // namespace

BitmapDC::BitmapDC(GdiApi& gdi, GdiObject bitmap) : CDC(gdi) {
    if (bitmap == noObject) bitmap = sharedBitmapFor(gdi);
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

void BitmapDC::releaseSharedBitmap(GdiApi& gdi) {
    auto& bitmaps = sharedBitmaps();
    std::erase_if(bitmaps, [&](const SharedBitmap& s) { return s.gdi == &gdi; });
}

}  // namespace quorvenda
