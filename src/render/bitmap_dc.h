#pragma once
// A memory device context with a given bitmap selected into it: the
// off-screen surface of a repaint.
#include "render/gdi_objects.h"

namespace quorvenda {

class BitmapDC : public CDC {
public:
    // `bitmap` may be noObject (its creation failed): a 1x1 monochrome bitmap
    // of this object's own then takes its place, so every drawing call still
    // has a target. The bitmap given stays its owner's, who deletes it after
    // this object is gone.
    BitmapDC(GdiApi& gdi, GdiObject bitmap);
    // Puts the device context's own bitmap back, deletes the device context, then the fallback.
    ~BitmapDC() override;

private:
    CBitmap fallback_;
    GdiObject oldBitmap_ = noObject;
};

}  // namespace quorvenda
