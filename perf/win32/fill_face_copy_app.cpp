// The fill, face and copy baseline program's application object.
#include "perf/win32/baseline_app.h"

namespace {
quorvenda::perf::BaselineApp baselineApp{quorvenda::perf::BaselinePaint::fillFaceAndCopy};
}  // namespace
