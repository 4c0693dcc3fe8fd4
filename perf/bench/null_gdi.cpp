#include "perf/bench/null_gdi.h"

#include "render/recording_gdi.h"

namespace quorvenda {

TextExtent NullGdi::getTextExtent(DcHandle, std::string_view text) {
    return recordedTextExtent(text);
}

}  // namespace quorvenda
