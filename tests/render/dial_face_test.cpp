// Day-number labels, the face and the hands, as drawn on a recording surface
// whose texts all measure 16 px high and 8 px a byte wide.
#include <gtest/gtest.h>

#include "render/dial_face.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::containsInOrder;
using testing::linesOn;

class DialFaceTest : public ::testing::Test {
protected:
    DialFaceTest() {
        offscreen.CreateCompatibleDC(noDc);
        gdi.clearCalls();
    }

    std::vector<std::string> drawn() const { return linesOn(gdi, offscreen.GetSafeHdc()); }

    RecordingGdi gdi;
    BorrowedDC paint{gdi, gdi.openPaintDc()};
    CDC offscreen{gdi};
    DialLayout layout = computeDialLayout(292, 406, {16, 16, 16});
};

TEST(DayLabelText, RoundsTheDayAtEachPointOfTheMonthHalfUp) {
    const struct {
        int days;
        const char* top;
        const char* bottom;
        const char* lowerRight;
        const char* lowerLeft;
        const char* upperRight;
        const char* upperLeft;
    } cases[] = {
        {28, "28", "14", " 9", "19", " 5", "23"},
        {29, "29", "15", "10", "19", " 5", "24"},
        {30, "30", "15", "10", "20", " 5", "25"},
        {31, "31", "16", "10", "21", " 5", "26"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(dayLabelText(DayLabel::top, c.days), c.top) << c.days;
        EXPECT_EQ(dayLabelText(DayLabel::bottom, c.days), c.bottom) << c.days;
        EXPECT_EQ(dayLabelText(DayLabel::lowerRight, c.days), c.lowerRight) << c.days;
        EXPECT_EQ(dayLabelText(DayLabel::lowerLeft, c.days), c.lowerLeft) << c.days;
        EXPECT_EQ(dayLabelText(DayLabel::upperRight, c.days), c.upperRight) << c.days;
        EXPECT_EQ(dayLabelText(DayLabel::upperLeft, c.days), c.upperLeft) << c.days;
    }
}

TEST_F(DialFaceTest, LabelsStandRoundTheOuterCircleInGreenOverABlackShadow) {
    CFont font(gdi, dayLabelFontSpec());
    drawDayLabels(offscreen, paint, layout, 30, font);
    EXPECT_TRUE(containsInOrder(drawn(), {
        "SelectFont 20 \"MS ゴシック\"",
        "SetTextColor 0x000000", "TextOut 139 91 \"30\"", "SetTextColor 0x00FF00", "TextOut 138 90 \"30\"",
        "TextOut 139 357 \"15\"", "TextOut 138 356 \"15\"",
        "TextOut 255 294 \"10\"", "TextOut 254 293 \"10\"",
        "TextOut 6 294 \"20\"", "TextOut 5 293 \"20\"",
        "TextOut 255 153 \" 5\"", "TextOut 254 152 \" 5\"",
        "TextOut 6 153 \"25\"", "TextOut 5 152 \"25\"",
        "SelectStockObject SYSTEM_FONT",
    }));
    EXPECT_EQ(gdi.selected(offscreen.GetSafeHdc(), ObjectKind::font), gdi.stockObject(StockObject::systemFont));
}

TEST_F(DialFaceTest, LabelsAreMeasuredOnThePaintDeviceContextOnly) {
    CFont font(gdi, dayLabelFontSpec());
    drawDayLabels(offscreen, paint, layout, 30, font);
    for (const auto& line : drawn()) EXPECT_NE(line.rfind("GetTextExtent", 0), 0u) << line;
    EXPECT_FALSE(linesOn(gdi, paint.GetSafeHdc()).empty());
}

TEST_F(DialFaceTest, LabelFontIsBoldItalicTwentyPixelShiftJisGothic) {
    const FontSpec f = dayLabelFontSpec();
    EXPECT_EQ(f.height, 20);
    EXPECT_EQ(f.width, 0);
    EXPECT_EQ(f.weight, 700);
    EXPECT_TRUE(f.italic);
    EXPECT_FALSE(f.underline || f.strikeOut);
    EXPECT_EQ(f.charSet, 128);
    EXPECT_EQ(f.faceName, "MS ゴシック");
}

TEST_F(DialFaceTest, FaceDrawsOuterThenInnerCircleThenTwelveTicksEachWithTheHandPen) {
    const CPen handPen(gdi, PenStyle::solid, 2, rgb(10, 20, 30));
    {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, handPen);
    }
    const auto lines = drawn();
    EXPECT_TRUE(containsInOrder(lines, {
        "SelectPen PS_SOLID 2 0x1E140A", "Ellipse 21 106 271 356", "Ellipse 30 115 262 347",
        "SelectPen PS_SOLID 2 0x1E140A", "MoveTo 146 115", "LineTo 146 121",   // 12 o'clock
        "SelectPen PS_SOLID 2 0x1E140A", "MoveTo 203 131", "LineTo 200 136",   // 1 o'clock
        "SelectStockObject BLACK_PEN",
    }));
    EXPECT_EQ(testing::countOf(lines, "SelectPen PS_SOLID 2 0x1E140A"), 13);
}

TEST_F(DialFaceTest, HandsGoFromTheCentreInOrderMonthDayHourMinuteSecond) {
    const CalendarSnapshot s = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    const DrawingKit kit(gdi, black);
    {
        ScopedSelect pens(offscreen);
        drawHands(offscreen, pens, layout, computeHandEnds(s, layout), kit);
    }
    EXPECT_EQ(drawn(), (std::vector<std::string>{
        "SelectPen PS_SOLID 6 0x00FFFF", "MoveTo 146 231", "LineTo 135 298",  // 190 degrees
        "SelectPen PS_SOLID 4 0x00FF00", "MoveTo 146 231", "LineTo 230 279",  // 120 degrees
        "SelectPen PS_SOLID 2 0x000000", "MoveTo 146 231", "LineTo 146 197",  // hour, minute and second
        "MoveTo 146 231", "LineTo 146 179",                                   // share one selection
        "MoveTo 146 231", "LineTo 146 144",
        "SelectStockObject BLACK_PEN",
    }));
}

TEST_F(DialFaceTest, ANegativeDialTurnsHandsAndTicksThroughHalfATurn) {
    layout = computeDialLayout(292, 60, {16, 16, 16});  // innerRadius -14, outerRadius -15
    const CPen handPen(gdi, PenStyle::solid, 2, black);
    const DrawingKit kit(gdi, black);
    {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, handPen);
        drawHands(offscreen, pens, layout, computeHandEnds(testing::snapshotAt(2007, 6, 10, 12, 0, 0), layout), kit);
    }
    EXPECT_TRUE(containsInOrder(drawn(), {
        "Ellipse 161 49 131 19",   // left and right, top and bottom exchanged: the same circle
        "MoveTo 146 48", "LineTo 146 47",  // the 12 o'clock tick hangs below the centre
        "MoveTo 146 34", "LineTo 146 44",  // the second hand at 0 s points down
    }));
}

}  // namespace
}  // namespace quorvenda
