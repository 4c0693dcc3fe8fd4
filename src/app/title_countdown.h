#pragma once
// The title bar's short form of slot 1's countdown, rewritten by the title timer.
#include <string>

#include "core/calendar.h"
#include "core/countdown.h"
#include "core/data_file.h"
#include "core/event_list.h"

namespace quorvenda {

// The title for slot 1 and its countdown: the first matching form of
// hidden text, days only, months and days, years to days, or passed.
std::string formatTitleText(const EventSlot& slot, const Countdown& countdown);

// Re-reads slot 1 into the store it shares with the repaint (a failed read
// keeps the last lines), counts down from `today` and rewrites `titleText`.
void updateTitleCountdown(std::string& titleText, Slot1LineStore& slot1Store, const CalendarSnapshot& today,
                          const DataFolder& folder = {});

}  // namespace quorvenda
