#include "core/countdown.h"

#include "core/wrapping_int.h"

namespace quorvenda {

Countdown computeCountdown(const EventSlot& slot, const CalendarSnapshot& today) {
    Countdown c;
    int eventMonth = slot.month;
    int eventYear = slot.year;
    if (slot.day >= today.day) {
        c.days = wrapSub(slot.day, today.day);
    } else {
        c.days = wrapSub(wrapAdd(slot.day, today.daysInMonth), today.day);
        eventMonth = wrapSub(eventMonth, 1);
    }
    if (eventMonth >= today.month) {
        c.months = wrapSub(eventMonth, today.month);
    } else {
        c.months = wrapSub(wrapAdd(eventMonth, 12), today.month);
        eventYear = wrapSub(eventYear, 1);
    }
    c.years = eventYear >= today.year ? wrapSub(eventYear, today.year) : -1;
    return c;
}

std::string formatCountdownText(const EventSlot& slot, const Countdown& c) {
    // Plain concatenation prints the user's texts unchanged, a '%' in a name included.
    std::string text = slot.monthText + "月" + slot.dayText + "日 " + slot.name;
    if (c.years < 0) return text + "は過ぎました";
    text += "まで ";
    if (c.years == 0 && c.months == 0) return text + std::to_string(c.days) + "日間";
    if (c.years > 0) text += std::to_string(c.years) + "年 ";
    return text + std::to_string(c.months) + "ヶ月 " + std::to_string(c.days) + "日";
}

}  // namespace quorvenda
