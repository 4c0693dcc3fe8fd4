#include "app/title_countdown.h"

namespace quorvenda {

namespace {

constexpr const char* productSuffix = "・Quorvenda";

}  // namespace

std::string formatTitleText(const EventSlot& slot, const Countdown& c) {
    if (!slot.showsText()) return "一番目の文字は非表示　Quorvenda";
    // Concatenation rather than a format string: the passed form prints the
    // user's own month and day texts, which may hold any byte, '%' included.
    if (c.years == 0 && c.months == 0) return std::to_string(c.days) + "日間" + productSuffix;
    if (c.years == 0) return std::to_string(c.months) + "ヶ月 " + std::to_string(c.days) + "日" + productSuffix;
    if (c.years > 0) {
        return std::to_string(c.years) + "年 " + std::to_string(c.months) + "ヶ月 " + std::to_string(c.days) + "日" +
               productSuffix;
    }
    return slot.monthText + "月" + slot.dayText + "日は過ぎました" + productSuffix;
}

void updateTitleCountdown(std::string& titleText, Slot1LineStore& slot1Store, const CalendarSnapshot& today,
                          const DataFolder& folder) {
    const EventSlot slot = readSlot1(slot1Store, folder);
    // A hidden slot needs no countdown; its title ignores it.
    const Countdown countdown = slot.showsText() ? computeCountdown(slot, today) : Countdown{};
    titleText = formatTitleText(slot, countdown);
}

}  // namespace quorvenda
