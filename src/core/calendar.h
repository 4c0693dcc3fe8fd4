#pragma once
// The local date and time of one instant, broken down for the dial.
#include <string>

namespace quorvenda {

// Broken-down local time as the C library gives it, with weekday 1 = Sunday .. 7 = Saturday.
struct LocalTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;
};

struct CalendarSnapshot {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int hour12 = 0;
    int minute = 0;
    int second = 0;
    int weekday = 0;
    bool leapYear = false;
    int daysInMonth = 0;
    int dayPosition = 0;
    std::string timeText;
    std::string dateText;
    std::string weekdayText;
};

// Gregorian rule: every fourth year, except centuries not divisible by 400.
bool isLeapYear(int year);
// 28 to 31 for months 1 to 12; any other month counts as 30 days.
int daysInMonthOf(int month, bool leapYear);
// 1 = Sunday .. 7 = Saturday for a Gregorian date.
int weekdayOf(int year, int month, int day);
const char* weekdayName(int weekday);

// Builds the snapshot of a given local time; the clock-reading seam for tests and tools.
CalendarSnapshot snapshotFromLocalTime(const LocalTime& t);
// Reads the clock once and converts it to local time.
LocalTime currentLocalTime();
CalendarSnapshot takeCalendarSnapshot();

// Hand angles, degrees clockwise from 12 o'clock; angles above 360 are kept as they are.
int monthHandAngle(const CalendarSnapshot& s);
int dayHandAngle(const CalendarSnapshot& s);
double hourHandAngle(const CalendarSnapshot& s);
double minuteHandAngle(const CalendarSnapshot& s);
int secondHandAngle(const CalendarSnapshot& s);

// The day scale of the month hand, the day hand and the event marks: 300 on the last day.
int dayPositionOf(int day, int daysInMonth);

}  // namespace quorvenda
