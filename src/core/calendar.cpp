#include "core/calendar.h"

#include <cstdio>
#include <ctime>

#include "core/local_clock.h"
#include "core/wrapping_int.h"

namespace quorvenda {

bool isLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonthOf(int month, bool leapYear) {
    switch (month) {
        case 1:
        case 3:
        case 5:
        case 7:
        case 8:
        case 10:
        case 12: return 31;
        case 2: return leapYear ? 29 : 28;
        default: return 30;
    }
}

int weekdayOf(int year, int month, int day) {
    // Zeller-style congruence on a March-based year, done in 64 bits for any input.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    long long y = year;
    const int m = ((month - 1) % 12 + 12) % 12;
    if (m < 2) --y;
    auto floorDiv = [](long long a, long long b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0))); };
    long long w = y + floorDiv(y, 4) - floorDiv(y, 100) + floorDiv(y, 400) + offsets[m] + day;
    return static_cast<int>(((w % 7) + 7) % 7) + 1;
}

const char* weekdayName(int weekday) {
    static const char* const names[] = {"日曜日", "月曜日", "火曜日", "水曜日", "木曜日", "金曜日", "土曜日"};
    return weekday >= 1 && weekday <= 7 ? names[weekday - 1] : "";
}

int dayPositionOf(int day, int daysInMonth) {
    return truncDiv(wrapMul(day, 300), daysInMonth);
}

CalendarSnapshot snapshotFromLocalTime(const LocalTime& t) {
    CalendarSnapshot s;
    s.year = t.year;
    s.month = t.month;
    s.day = t.day;
    s.leapYear = isLeapYear(t.year);
    s.daysInMonth = daysInMonthOf(t.month, s.leapYear);
    s.dayPosition = dayPositionOf(t.day, s.daysInMonth);
    s.hour = t.hour;
    s.hour12 = t.hour % 12;
    s.minute = t.minute;
    s.second = t.second;
    s.weekday = t.weekday;

    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%2d時 %2d分 %2d秒", t.hour, t.minute, t.second);
    s.timeText = buffer;
    std::snprintf(buffer, sizeof buffer, "%4d年 %2d月 %2d日", t.year, t.month, t.day);
    s.dateText = buffer;
    s.weekdayText = weekdayName(t.weekday);
    return s;
}

LocalTime currentLocalTime() {
    const std::tm tm = localBrokenDownTime(std::time(nullptr));
    return LocalTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, tm.tm_wday + 1};
}

CalendarSnapshot takeCalendarSnapshot() {
    return snapshotFromLocalTime(currentLocalTime());
}

int monthHandAngle(const CalendarSnapshot& s) {
    return wrapAdd(wrapMul(s.month, 30), truncDiv(s.dayPosition, 10));
}

int dayHandAngle(const CalendarSnapshot& s) {
    return truncDiv(wrapMul(s.dayPosition, 12), 10);
}

double hourHandAngle(const CalendarSnapshot& s) {
    return static_cast<double>(wrapMul(s.hour12, 30)) + s.minute * 0.5;
}

double minuteHandAngle(const CalendarSnapshot& s) {
    return static_cast<double>(wrapMul(s.minute, 6)) + s.second * 0.1;
}

int secondHandAngle(const CalendarSnapshot& s) {
    return wrapMul(s.second, 6);
}

}  // namespace quorvenda
