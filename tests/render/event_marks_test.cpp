// Event ticks and near-date marks on the 292 x 406 dial (centre 146, 231;
// inner radius 116, outer 125, day hand 98).
#include <gtest/gtest.h>

#include "render/dial_face.h"
#include "render/event_marks.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::containsInOrder;

class EventMarksTest : public ::testing::Test {
protected:
    EventMarksTest() {
        offscreen.CreateCompatibleDC(noDc);
        gdi.clearCalls();
    }

    // Draws with `slot` holding an event on `month`/`day` and the given countdown.
    std::vector<std::string> draw(int slot, int month, int day, Countdown countdown, const char* dialFlag = "1") {
        slots[static_cast<std::size_t>(slot - 1)] =
            slotFromLines({"会議", dialFlag, "0", "2007", std::to_string(month), std::to_string(day)});
        countdowns.slots[static_cast<std::size_t>(slot - 1)] = countdown;
        const Point dayHandEnd = dayHandEndPoint(layout, computeHandEnds(today, layout));
        {
            ScopedSelect pens(offscreen);
            drawEventMarks(offscreen, pens,
                           EventMarkInputs{slots, countdowns, today.daysInMonth, layout, dayHandEnd, kit});
        }
        return testing::linesOn(gdi, offscreen.GetSafeHdc());
    }

    RecordingGdi gdi;
    CDC offscreen{gdi};
    DrawingKit kit{gdi, black, designDpi};
    DialLayout layout = computeDialLayout(292, 406, {16, 16, 16}, designDpi);
    CalendarSnapshot today = testing::snapshotAt(2007, 6, 10);
    EventSlots slots{};
    CountdownStore countdowns{};
};

TEST_F(EventMarksTest, WorkedCaseFifteenJuneSeenOnTheTenthInSlotOne) {
    EXPECT_EQ(draw(1, 6, 15, Countdown{0, 0, 5}), (std::vector<std::string>{
                                                      "SelectPen PS_SOLID 3 0x0000FF",
                                                      "MoveTo 117 343",
                                                      "LineTo 114 351",  // event tick at 195 degrees
                                                      "SelectPen PS_SOLID 3 0x0000FF",
                                                      "MoveTo 146 328",
                                                      "LineTo 146 326",  // near-date tick at 180
                                                      "SelectPen PS_DOT 1 0x0000FF",
                                                      "Arc 48 133 244 329 146 328 230 279",  // back to the day hand
                                                      "SelectPen PS_SOLID 1 0x0000FF",
                                                      "Arc 139 335 153 321 0 0 0 0",  // one circle of radius 7
                                                      "SelectStockObject BLACK_PEN",
                                                  }));
}

TEST_F(EventMarksTest, EachSlotHasItsOwnRadiusOneInsideTheOther) {
    const struct {
        int slot;
        const char* tickFrom;
        const char* tickTo;
        const char* arc;
    } cases[] = {
        {2, "MoveTo 146 326", "LineTo 146 323", "Arc 50 135 241 326 146 326 230 279"},
        {7, "MoveTo 146 311", "LineTo 146 308", "Arc 65 150 226 311 146 311 230 279"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.slot);
        gdi.clearCalls();
        slots = {};
        const auto lines = draw(c.slot, 6, 15, Countdown{0, 0, 5});
        EXPECT_TRUE(containsInOrder(lines, {c.tickFrom, c.tickTo, c.arc}));
    }
}

TEST_F(EventMarksTest, NearDateMarksFollowTheDaysToGo) {
    const struct {
        Countdown countdown;
        bool nearTick;
        bool arc;
        bool circle7;
        int secondRadius;  // 0: none
    } cases[] = {
        {{0, 0, 0}, true, false, true, 14},
        {{0, 0, 1}, true, true, true, 13},
        {{0, 0, 3}, true, true, true, 11},
        {{0, 0, 4}, true, true, true, 0},
        {{0, 0, 7}, true, true, true, 0},
        {{0, 0, 8}, true, true, false, 0},
        {{0, 0, 30}, true, true, false, 0},
        {{0, 1, 0}, false, false, false, 0},  // a month or more away: event tick
                                              // alone
        {{1, 0, 0}, false, false, false, 0},
        {{-1, 0, 0}, false, false, false, 0},  // passed
        {{0, 0, -13}, false, false, false, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message()
                     << c.countdown.years << "y " << c.countdown.months << "m " << c.countdown.days << "d");
        gdi.clearCalls();
        const auto lines = draw(1, 6, 15, c.countdown);
        EXPECT_EQ(testing::countOf(lines, "MoveTo 117 343"), 1) << "the event tick is always there";
        EXPECT_EQ(testing::countOf(lines, "MoveTo 146 328"), c.nearTick ? 1 : 0);
        EXPECT_EQ(testing::countOf(lines, "Arc 48 133 244 329 146 328 230 279"), c.arc ? 1 : 0);
        EXPECT_EQ(testing::countOf(lines, "Arc 139 335 153 321 0 0 0 0"), c.circle7 ? 1 : 0);
        int circles = 0;
        for (int r = 11; r <= 14; ++r) {
            const std::string circle = "Arc " + std::to_string(146 - r) + ' ' + std::to_string(328 + r) + ' ' +
                                       std::to_string(146 + r) + ' ' + std::to_string(328 - r) + " 0 0 0 0";
            circles += testing::countOf(lines, circle);
            if (r == c.secondRadius) {
                EXPECT_EQ(testing::countOf(lines, circle), 1) << "radius " << r;
            }
        }
        EXPECT_EQ(circles, c.secondRadius != 0 ? 1 : 0);
    }
}

TEST_F(EventMarksTest, OnlyADialFlagOfExactlyOneShowsTheSlot) {
    for (const char* flag : {"0", "2", "-1", "", "１"}) {
        gdi.clearCalls();
        EXPECT_EQ(draw(3, 6, 15, Countdown{0, 0, 5}, flag), std::vector<std::string>{}) << flag;
    }
    gdi.clearCalls();
    EXPECT_FALSE(draw(3, 6, 15, Countdown{0, 0, 5}, " 1").empty());
}

TEST_F(EventMarksTest, AnEventInTheNextMonthArcsThroughTwelveOClock) {
    today = testing::snapshotAt(2007, 6, 28);  // day hand at 336 degrees, ends at (106, 142)
    EXPECT_TRUE(containsInOrder(draw(1, 7, 3, Countdown{0, 0, 5}), {
                                                                       "MoveTo 84 328",
                                                                       "LineTo 79 335",  // 7 x 30 + 3 = 213 degrees
                                                                       "MoveTo 203 152",
                                                                       "LineTo 201 155",  // 36 degrees
                                                                       "Arc 48 133 244 329 203 152 106 142",
                                                                   }));
}

TEST_F(EventMarksTest, ADayBeyondTheMonthsLengthIsScaledByTheCurrentMonth) {
    // The 31st in June: position 310, tick at 211 degrees, mark at 372 (past a full turn).
    EXPECT_TRUE(containsInOrder(draw(1, 6, 31, Countdown{0, 0, 21}), {
                                                                         "MoveTo 87 330",
                                                                         "LineTo 82 338",
                                                                         "MoveTo 166 136",
                                                                         "LineTo 165 138",
                                                                     }));
}

TEST_F(EventMarksTest, JanuaryAndDecemberTicksStandWhereTheMonthHandDoesInThoseMonths) {
    // 15 January: 30 + 15 = 45 degrees; 15 December: 360 + 15 = 375 degrees.
    EXPECT_EQ(eventTickAngle(slotFromLines({"", "1", "", "", "1", "15"}), 30), 45);
    EXPECT_EQ(eventTickAngle(slotFromLines({"", "1", "", "", "12", "15"}), 30), 375);
    EXPECT_EQ(eventTickAngle(slotFromLines({"", "1", "", "", "12", "31"}), 31), 390);
}

TEST_F(EventMarksTest, ExtremeMonthsAndDaysStillDrawEveryMark) {
    for (int value : {0, 13, -5, 40, -40, 2147483647, -2147483647 - 1}) {
        gdi.clearCalls();
        const auto lines = draw(1, value, value, Countdown{0, 0, 2});
        int arcs = 0;
        for (const auto& line : lines) arcs += line.rfind("Arc ", 0) == 0;
        EXPECT_EQ(arcs, 3) << value << ": the dotted arc and two circles";
    }
    EXPECT_TRUE(gdi.faults().empty());
}

}  // namespace
}  // namespace quorvenda
