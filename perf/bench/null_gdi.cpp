#include "perf/bench/null_gdi.h"

#include "render/bitmap_dc.h"
#include "render/recording_gdi.h"

namespace quorvenda {

NullGdi::~NullGdi() {
    BitmapDC::releaseSharedBitmap(*this);
}

TextExtent NullGdi::getTextExtent(DcHandle, std::string_view text) {
    return recordedTextExtent(text);
}

}  // namespace quorvenda
