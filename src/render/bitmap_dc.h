#pragma once
// A memory device context with a given bitmap selected into it: the
// off-screen surface of a repaint.
#include "render/gdi_objects.h"

namespace quorvenda {

class BitmapDC : public CDC {
public:
    // `bitmap` may be noObject (its creation failed): a shared 1x1 monochrome
    // bitmap then takes its place, so every drawing call still has a target.
    // The bitmap stays its owner's, who deletes it after this object is gone.
    BitmapDC(GdiApi& gdi, GdiObject bitmap);
    // Puts the device context's own bitmap back and deletes the device context.
    ~BitmapDC() override;

    // The shared bitmap is made once per surface and deleted at process exit,
    // through that surface: one made before the first shared bitmap outlives
    // them all; one that may go away earlier releases its own first.
    static void releaseSharedBitmap(GdiApi& gdi);

private:
    GdiObject oldBitmap_ = noObject;
};

}  // namespace quorvenda
