#pragma once
// How far away an event is, counted in whole years, months and days the way one
// subtracts dates by hand, with every day borrow taking the current month's length.
#include <array>
#include <string>

#include "core/calendar.h"
#include "core/event_list.h"

namespace quorvenda {

struct Countdown {
    int years = 0;  // -1: the event date lies before today
    int months = 0;
    int days = 0;

    bool passed() const { return years < 0; }
    // Less than a month to go and not passed: the dial shows near-date marks.
    bool isNear() const { return years == 0 && months == 0 && days >= 0; }
    bool operator==(const Countdown&) const = default;
};

Countdown computeCountdown(const EventSlot& slot, const CalendarSnapshot& today);
std::string formatCountdownText(const EventSlot& slot, const Countdown& countdown);

// The last countdown computed for each slot; lives for the whole run, starts at 0, 0, 0.
struct CountdownStore {
    std::array<Countdown, slotCount> slots{};
};

}  // namespace quorvenda
