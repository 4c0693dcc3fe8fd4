#include "render/bitmap_dc.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace quorvenda {

namespace {

constexpr int sharedBitmapSize = 1;

// The shared bitmaps, one per surface. Built on first use, so it is torn down
// at process exit before any surface that existed by then; a surface built
// later and gone earlier releases its own entry.
class SharedBitmaps {
public:
    static SharedBitmaps& instance() {
        static SharedBitmaps bitmaps;
        return bitmaps;
    }
    // Null before the first use and after exit has torn it down.
    static SharedBitmaps* existing() { return live_; }

    SharedBitmaps(const SharedBitmaps&) = delete;
    SharedBitmaps& operator=(const SharedBitmaps&) = delete;

    GdiObject handleFor(GdiApi& gdi) {
        auto it = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& e) { return e.gdi == &gdi; });
        if (it == entries_.end()) it = entries_.insert(entries_.end(), Entry{&gdi, std::make_unique<CBitmap>(gdi)});
        // A failed creation leaves no handle and is tried again next time.
        if (it->bitmap->GetSafeHandle() == noObject)
            it->bitmap->CreateMonochromeBitmap(sharedBitmapSize, sharedBitmapSize);
        return it->bitmap->GetSafeHandle();
    }

    void release(GdiApi& gdi) {
        std::erase_if(entries_, [&](const Entry& e) { return e.gdi == &gdi; });
    }

private:
    struct Entry {
        GdiApi* gdi;
        std::unique_ptr<CBitmap> bitmap;
    };

    SharedBitmaps() { live_ = this; }
    ~SharedBitmaps() { live_ = nullptr; }  // the entries go next, each deleting its bitmap

    static inline SharedBitmaps* live_ = nullptr;
    std::vector<Entry> entries_;
};

}  // namespace

BitmapDC::BitmapDC(GdiApi& gdi, GdiObject bitmap) : CDC(gdi) {
    if (bitmap == noObject) bitmap = SharedBitmaps::instance().handleFor(gdi);
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
    if (SharedBitmaps* bitmaps = SharedBitmaps::existing()) bitmaps->release(gdi);
}

}  // namespace quorvenda
