#include "app/title_countdown.h"

#include <gtest/gtest.h>

#include "unit/temp_folder.h"

namespace quorvenda {
namespace {

// 2007-05-04, a Friday.
CalendarSnapshot today() {
    return snapshotFromLocalTime(LocalTime{2007, 5, 4, 10, 0, 0, 6});
}

EventSlot slot(int textFlag, int year, int month, int day, const char* monthText = "", const char* dayText = "") {
    EventSlot s;
    s.name = "会議";
    s.textFlag = textFlag;
    s.year = year;
    s.month = month;
    s.day = day;
    s.monthText = monthText;
    s.dayText = dayText;
    return s;
}

struct TitleCase {
    const char* what;
    EventSlot slot;
    const char* title;
};

TEST(TitleText, EachFormFromTodaysCountdown) {
    const TitleCase cases[] = {
        {"days only", slot(1, 2007, 5, 20), "16日間・Quorvenda"},
        {"today", slot(1, 2007, 5, 4), "0日間・Quorvenda"},
        {"months and days", slot(1, 2008, 3, 1), "9ヶ月 28日・Quorvenda"},
        {"years, months and days", slot(1, 2008, 5, 4), "1年 0ヶ月 0日・Quorvenda"},
        {"passed, month as written", slot(1, 2007, 5, 3, "05", "3"), "05月3日は過ぎました・Quorvenda"},
        {"passed last year", slot(1, 2006, 12, 24, "12", "24"), "12月24日は過ぎました・Quorvenda"},
        {"text flag off", slot(0, 2007, 5, 20), "一番目の文字は非表示　Quorvenda"},
        {"text flag not exactly 1", slot(2, 2007, 5, 20), "一番目の文字は非表示　Quorvenda"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(formatTitleText(c.slot, computeCountdown(c.slot, today())), c.title) << c.what;
    }
}

TEST(TitleText, PrintsOutOfRangeCountsWithTheirSigns) {
    const EventSlot shown = slot(1, 0, 0, 0);
    EXPECT_EQ(formatTitleText(shown, Countdown{0, 0, -3}), "-3日間・Quorvenda");
    EXPECT_EQ(formatTitleText(shown, Countdown{0, -2, 5}), "-2ヶ月 5日・Quorvenda");
    EXPECT_EQ(formatTitleText(shown, Countdown{2, -1, -5}), "2年 -1ヶ月 -5日・Quorvenda");
}

TEST(TitleText, UsersTextsAreNeverTakenAsFormats) {
    const EventSlot passed = slot(1, 2000, 1, 1, "%s%n", "%d");
    EXPECT_EQ(formatTitleText(passed, Countdown{-1, 0, 0}), "%s%n月%d日は過ぎました・Quorvenda");
}

TEST(TitleText, FullWidthSpaceAndMiddleDotAreShiftJis) {
    const std::string hidden = formatTitleText(slot(0, 0, 0, 0), Countdown{});
    EXPECT_NE(hidden.find("\x81\x40"), std::string::npos);                                          // U+3000
    EXPECT_NE(formatTitleText(slot(1, 0, 0, 0), Countdown{}).find("\x81\x45"), std::string::npos);  // U+30FB
}

class TitleUpdate : public ::testing::Test {
protected:
    void writeEvents(const std::string& lines) const { folder_.write(eventListFileName, lines); }
    std::string update() {
        updateTitleCountdown(title_, store_, today(), folder_.folder());
        return title_;
    }

    testing::TempFolder folder_;
    Slot1LineStore store_;
    std::string title_;
};

TEST_F(TitleUpdate, ReadsSlotOneOfTheEventList) {
    writeEvents("会議\r\n1\r\n1\r\n2007\r\n5\r\n20\r\n旅行\r\n1\r\n1\r\n2009\r\n1\r\n1\r\n");
    EXPECT_EQ(update(), "16日間・Quorvenda");
    EXPECT_EQ(store_.lines[0], "会議");
}

TEST_F(TitleUpdate, NoFileSinceTheStartHidesTheText) {
    EXPECT_EQ(update(), "一番目の文字は非表示　Quorvenda");
}

TEST_F(TitleUpdate, FileShorterThanThreeLinesHidesTheText) {
    writeEvents("会議\r\n1\r\n");
    EXPECT_EQ(update(), "一番目の文字は非表示　Quorvenda");
}

TEST_F(TitleUpdate, KeepsCountingToTheLastEventReadWhenTheFileGoes) {
    writeEvents("会議\r\n1\r\n1\r\n2008\r\n3\r\n1\r\n");
    EXPECT_EQ(update(), "9ヶ月 28日・Quorvenda");
    folder_.remove(eventListFileName);
    EXPECT_EQ(update(), "9ヶ月 28日・Quorvenda");
}

TEST_F(TitleUpdate, UsesLinesTheRepaintReadBefore) {
    store_.lines = {"会議", "1", "1", "2008", "5", "4"};
    EXPECT_EQ(update(), "1年 0ヶ月 0日・Quorvenda");
}

TEST_F(TitleUpdate, AnEditShowsAtTheNextUpdate) {
    writeEvents("会議\n1\n1\n2007\n5\n20\n");
    EXPECT_EQ(update(), "16日間・Quorvenda");
    writeEvents("会議\n1\n0\n2007\n5\n20\n");
    EXPECT_EQ(update(), "一番目の文字は非表示　Quorvenda");
}

}  // namespace
}  // namespace quorvenda
