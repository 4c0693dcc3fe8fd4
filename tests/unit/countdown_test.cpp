#include <gtest/gtest.h>

#include <string>

#include "core/calendar.h"
#include "core/countdown.h"

namespace quorvenda {
namespace {

CalendarSnapshot today(int year, int month, int day) {
    return snapshotFromLocalTime(LocalTime{year, month, day, 12, 0, 0, weekdayOf(year, month, day)});
}

EventSlot meeting(const std::string& year, const std::string& month, const std::string& day) {
    return slotFromLines(SlotLines{"会議", "1", "1", year, month, day});
}

struct CountdownCase {
    int y, m, d;
    const char* eventYear;
    const char* eventMonth;
    const char* eventDay;
    Countdown expected;
    const char* text;
};

class CountdownTest : public ::testing::TestWithParam<CountdownCase> {};

TEST_P(CountdownTest, CountsAndFormats) {
    const auto& c = GetParam();
    const EventSlot slot = meeting(c.eventYear, c.eventMonth, c.eventDay);
    const Countdown got = computeCountdown(slot, today(c.y, c.m, c.d));
    EXPECT_EQ(got.years, c.expected.years);
    EXPECT_EQ(got.months, c.expected.months);
    EXPECT_EQ(got.days, c.expected.days);
    EXPECT_EQ(formatCountdownText(slot, got), c.text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, CountdownTest,
    ::testing::Values(CountdownCase{2007, 5, 4, "2007", "5", "20", {0, 0, 16}, "5月20日 会議まで 16日間"},
                      CountdownCase{2007, 5, 4, "2007", "5", "4", {0, 0, 0}, "5月4日 会議まで 0日間"},
                      CountdownCase{2007, 5, 4, "2007", "5", "3", {-1, 11, 30}, "5月3日 会議は過ぎました"},
                      CountdownCase{2007, 5, 20, "2007", "6", "10", {0, 0, 21}, "6月10日 会議まで 21日間"},
                      CountdownCase{2007, 1, 30, "2007", "2", "1", {0, 0, 2}, "2月1日 会議まで 2日間"},
                      CountdownCase{2007, 1, 31, "2007", "3", "1", {0, 1, 1}, "3月1日 会議まで 1ヶ月 1日"},
                      CountdownCase{2007, 2, 10, "2007", "3", "5", {0, 0, 23}, "3月5日 会議まで 23日間"},
                      CountdownCase{2007, 12, 25, "2008", "1", "5", {0, 0, 11}, "1月5日 会議まで 11日間"},
                      CountdownCase{2007, 5, 4, "2008", "3", "1", {0, 9, 28}, "3月1日 会議まで 9ヶ月 28日"},
                      CountdownCase{2007, 5, 4, "2008", "5", "4", {1, 0, 0}, "5月4日 会議まで 1年 0ヶ月 0日"},
                      CountdownCase{2007, 5, 4, "2010", "4", "4", {2, 11, 0}, "4月4日 会議まで 2年 11ヶ月 0日"},
                      CountdownCase{2008, 2, 29, "2009", "2", "28", {0, 11, 28}, "2月28日 会議まで 11ヶ月 28日"},
                      CountdownCase{2007, 3, 15, "2007", "2", "20", {-1, 11, 5}, "2月20日 会議は過ぎました"},
                      CountdownCase{2007, 5, 4, "2006", "12", "31", {-1, 7, 27}, "12月31日 会議は過ぎました"},
                      CountdownCase{2007, 5, 4, "", "", "", {-1, 6, 27}, "月日 会議は過ぎました"},
                      CountdownCase{2007, 12, 20, "2008", "0", "10", {0, -1, 21}, "0月10日 会議まで -1ヶ月 21日"},
                      CountdownCase{2007, 5, 4, "2007", "6", "-40", {0, 0, -13}, "6月-40日 会議まで -13日間"},
                      // month and day are printed as written, the numbers drive the arithmetic
                      CountdownCase{2007, 5, 4, "2007", "05", " 7", {0, 0, 3}, "05月 7日 会議まで 3日間"},
                      CountdownCase{2007, 5, 4, "2007", "5月", "7", {0, 0, 3}, "5月月7日 会議まで 3日間"},
                      // a month above 12 is not carried into the year
                      CountdownCase{2007, 1, 10, "2007", "13", "10", {0, 12, 0}, "13月10日 会議まで 12ヶ月 0日"}));

TEST(Countdown, PrintsAPercentSignInTheNameLiterally) {
    EventSlot slot = slotFromLines(SlotLines{"100%達成 %s%d", "1", "1", "2007", "5", "6"});
    const Countdown c = computeCountdown(slot, today(2007, 5, 4));
    EXPECT_EQ(formatCountdownText(slot, c), "5月6日 100%達成 %s%dまで 2日間");
}

TEST(Countdown, WrapsOnAbsurdNumbersWithoutUndefinedBehaviour) {
    // The sanitizers would stop the test on a signed overflow.
    const int extremes[] = {-2147483647 - 1, -1, 0, 1, 2147483647};
    for (int year : extremes)
        for (int month : extremes)
            for (int day : extremes) {
                EventSlot slot;
                slot.year = year;
                slot.month = month;
                slot.day = day;
                const Countdown c = computeCountdown(slot, today(2007, 5, 4));
                EXPECT_FALSE(formatCountdownText(slot, c).empty());
            }
    // The year borrow below the smallest year wraps round to the largest, as 32-bit arithmetic does.
    EventSlot slot = slotFromLines(SlotLines{"x", "1", "1", "-2147483648", "1", "1"});
    const Countdown c = computeCountdown(slot, today(2007, 5, 4));
    EXPECT_EQ(c, (Countdown{2147483647 - 2007, 7, 28}));
}

}  // namespace
}  // namespace quorvenda
