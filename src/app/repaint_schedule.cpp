#include "app/repaint_schedule.h"

#include <algorithm>

namespace quorvenda {

int msUntilNextRepaint(int msWithinSecond) {
    // Clamped before subtracting, so no reading can overflow.
    const int within = std::clamp(msWithinSecond, 0, millisecondsPerSecond);
    return millisecondsPerSecond - within + repaintMarginMs;
}

}  // namespace quorvenda
