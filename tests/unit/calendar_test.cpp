#include <gtest/gtest.h>

#include "core/calendar.h"

namespace quorvenda {
namespace {

CalendarSnapshot at(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return snapshotFromLocalTime(LocalTime{year, month, day, hour, minute, second, weekdayOf(year, month, day)});
}

struct DateCase {
    int year, month, day;
    int daysInMonth, dayPosition, monthAngle, dayAngle;
};

class DialDateTest : public ::testing::TestWithParam<DateCase> {};

TEST_P(DialDateTest, PlacesTheMonthAndDayHands) {
    const auto& c = GetParam();
    const auto s = at(c.year, c.month, c.day);
    EXPECT_EQ(s.daysInMonth, c.daysInMonth);
    EXPECT_EQ(s.dayPosition, c.dayPosition);
    EXPECT_EQ(monthHandAngle(s), c.monthAngle);
    EXPECT_EQ(dayHandAngle(s), c.dayAngle);
}

INSTANTIATE_TEST_SUITE_P(
    Dates, DialDateTest,
    ::testing::Values(DateCase{2007, 1, 1, 31, 9, 30, 10}, DateCase{2007, 2, 1, 28, 10, 61, 12},
                      DateCase{2007, 6, 15, 30, 150, 195, 180}, DateCase{2007, 6, 30, 30, 300, 210, 360},
                      DateCase{2007, 12, 31, 31, 300, 390, 360}, DateCase{2008, 2, 29, 29, 300, 90, 360},
                      DateCase{2007, 2, 28, 28, 300, 90, 360}, DateCase{2007, 4, 1, 30, 10, 121, 12},
                      // Gregorian leap years: centuries only when divisible by 400
                      DateCase{2100, 2, 28, 28, 300, 90, 360}, DateCase{2000, 2, 29, 29, 300, 90, 360},
                      DateCase{2400, 2, 1, 29, 10, 61, 12}, DateCase{2300, 2, 14, 28, 150, 75, 180}));

TEST(Calendar, LeapYearFollowsTheGregorianRule) {
    for (int year : {1600, 2000, 2004, 2008, 2024, 2400}) EXPECT_TRUE(at(year, 3, 1).leapYear) << year;
    for (int year : {1900, 2007, 2100, 2200, 2300, 2101}) EXPECT_FALSE(at(year, 3, 1).leapYear) << year;
}

struct TimeCase {
    int hour, minute, second;
    int hour12;
    double hourAngle, minuteAngle;
    int secondAngle;
    const char* timeText;
};

class ClockTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ClockTimeTest, GivesHandsAndTimeText) {
    const auto& c = GetParam();
    const auto s = at(2007, 5, 4, c.hour, c.minute, c.second);
    EXPECT_EQ(s.hour12, c.hour12);
    EXPECT_DOUBLE_EQ(hourHandAngle(s), c.hourAngle);
    EXPECT_DOUBLE_EQ(minuteHandAngle(s), c.minuteAngle);
    EXPECT_EQ(secondHandAngle(s), c.secondAngle);
    EXPECT_EQ(s.timeText, c.timeText);
}

INSTANTIATE_TEST_SUITE_P(Times, ClockTimeTest,
                         ::testing::Values(TimeCase{0, 0, 0, 0, 0.0, 0.0, 0, " 0時  0分  0秒"},
                                           TimeCase{12, 0, 0, 0, 0.0, 0.0, 0, "12時  0分  0秒"},
                                           TimeCase{23, 59, 59, 11, 359.5, 359.9, 354, "23時 59分 59秒"},
                                           TimeCase{9, 5, 3, 9, 272.5, 30.3, 18, " 9時  5分  3秒"}));

TEST(Calendar, FormatsDateAndWeekday) {
    const auto s = at(2007, 5, 4);
    EXPECT_EQ(s.dateText, "2007年  5月  4日");
    EXPECT_EQ(s.weekday, 6);
    EXPECT_EQ(s.weekdayText, "金曜日");
    EXPECT_EQ(at(12345, 12, 31).dateText, "12345年 12月 31日");
}

TEST(Calendar, NamesEveryWeekdayAndNothingElse) {
    const char* names[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
    for (int d = 0; d < 7; ++d) {
        const auto s = at(2007, 6, 10 + d);  // 10 June 2007 was a Sunday
        EXPECT_EQ(s.weekday, d + 1);
        EXPECT_EQ(s.weekdayText, names[d]);
    }
    EXPECT_EQ(weekdayName(0), std::string());
    EXPECT_EQ(weekdayName(8), std::string());
}

TEST(Calendar, AbsurdFieldsWrapWithoutUndefinedBehaviour) {
    // Only reachable through the seam, but the arithmetic must stay defined for any input.
    const auto s = snapshotFromLocalTime(
        LocalTime{-2147483647 - 1, 2147483647, 2147483647, 2147483647, 2147483647, 2147483647, 99});
    EXPECT_EQ(s.weekdayText, "");
    (void)monthHandAngle(s);
    (void)dayHandAngle(s);
    (void)hourHandAngle(s);
    (void)minuteHandAngle(s);
    (void)secondHandAngle(s);
}

TEST(Calendar, TakesTheSnapshotFromOneReadingOfTheClock) {
    const auto s = takeCalendarSnapshot();
    EXPECT_GE(s.month, 1);
    EXPECT_LE(s.month, 12);
    EXPECT_EQ(s.dayPosition, s.day * 300 / s.daysInMonth);
    EXPECT_EQ(s.weekday, weekdayOf(s.year, s.month, s.day));
}

}  // namespace
}  // namespace quorvenda
