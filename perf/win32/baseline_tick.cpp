// The baselines paint only when told to: they have no tick to drive.
#include "perf/drive/win32/window_tick.h"

namespace quorvenda::drive {

WindowTick windowTick(CWnd&) {
    return {};
}

}  // namespace quorvenda::drive
