#pragma once
// The event state that outlives a repaint: slot 1's last read lines and each
// slot's last computed countdown. One instance lives for the whole run.
#include "core/countdown.h"
#include "core/event_list.h"

namespace quorvenda {

struct EventState {
    Slot1LineStore slot1Lines;
    CountdownStore countdowns;
};

}  // namespace quorvenda
