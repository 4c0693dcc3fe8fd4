// Day-number labels, the face and the hands, as drawn on a recording surface
// whose texts all measure 16 px high and 8 px a byte wide.
#include <gtest/gtest.h>

#include <tuple>

#include "render/dial_face.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::containsInOrder;
using testing::linesOn;
using testing::strokesOn;

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
    DialLayout layout = computeDialLayout(292, 406, {16, 16, 16}, designDpi);
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

// Bold italic Japanese of 20 px at 96 DPI, in the platform's default quality;
// with hard edges the same font, asked for without antialiasing.
TEST(DayLabelFontSpec, AsksForNoAntialiasingOnlyWithHardEdges) {
    for (int dpi : {96, 144}) {
        const FontSpec smooth = dayLabelFontSpec(dpi, TextEdges::smooth);
        EXPECT_EQ(smooth.height, dpi * 20 / 96);
        EXPECT_EQ(smooth.weight, 700);
        EXPECT_TRUE(smooth.italic);
        EXPECT_EQ(smooth.charSet, 128);
        EXPECT_EQ(smooth.quality, 0);  // DEFAULT_QUALITY
        EXPECT_EQ(smooth.faceName, "MS ゴシック");

        const FontSpec hard = dayLabelFontSpec(dpi, TextEdges::hard);
        EXPECT_EQ(hard.quality, 3);  // NONANTIALIASED_QUALITY
        const auto allButQuality = [](const FontSpec& f) {
            return std::tie(f.height, f.width, f.escapement, f.orientation, f.weight, f.italic, f.underline,
                            f.strikeOut, f.charSet, f.outPrecision, f.clipPrecision, f.pitchAndFamily, f.faceName);
        };
        EXPECT_EQ(allButQuality(hard), allButQuality(smooth)) << dpi;
    }
}

TEST_F(DialFaceTest, LabelsStandRoundTheOuterCircleInGreenOverABlackShadow) {
    CFont font(gdi, dayLabelFontSpec(designDpi, TextEdges::smooth));
    drawDayLabels(offscreen, paint, layout, 30, font);
    EXPECT_TRUE(containsInOrder(drawn(), {
                                             "SelectFont 20 \"MS ゴシック\"",
                                             "SetTextColor 0x000000",
                                             "TextOut 139 91 \"30\"",
                                             "SetTextColor 0x00FF00",
                                             "TextOut 138 90 \"30\"",
                                             "TextOut 139 357 \"15\"",
                                             "TextOut 138 356 \"15\"",
                                             "TextOut 255 294 \"10\"",
                                             "TextOut 254 293 \"10\"",
                                             "TextOut 6 294 \"20\"",
                                             "TextOut 5 293 \"20\"",
                                             "TextOut 255 153 \" 5\"",
                                             "TextOut 254 152 \" 5\"",
                                             "TextOut 6 153 \"25\"",
                                             "TextOut 5 152 \"25\"",
                                             "SelectStockObject SYSTEM_FONT",
                                         }));
    EXPECT_EQ(gdi.selected(offscreen.GetSafeHdc(), ObjectKind::font), gdi.stockObject(StockObject::systemFont));
}

TEST_F(DialFaceTest, LabelsAreMeasuredOnThePaintDeviceContextOnly) {
    CFont font(gdi, dayLabelFontSpec(designDpi, TextEdges::smooth));
    drawDayLabels(offscreen, paint, layout, 30, font);
    for (const auto& line : drawn()) EXPECT_NE(line.rfind("GetTextExtent", 0), 0u) << line;
    EXPECT_FALSE(linesOn(gdi, paint.GetSafeHdc()).empty());
}

TEST_F(DialFaceTest, FaceIsTwoCirclesThenTwelveTicksAllInTheHandPen) {
    const CPen handPen(gdi, PenStyle::solid, 2, rgb(10, 20, 30));
    {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, handPen);
    }
    EXPECT_EQ(strokesOn(gdi, offscreen.GetSafeHdc()),
              (std::vector<std::string>{
                  "Ellipse 21 106 271 356 in Pen PS_SOLID 2 0x1E140A",  // outer circle
                  "Ellipse 30 115 262 347 in Pen PS_SOLID 2 0x1E140A",  // inner circle, over the outer one
                  "Line 146 115 146 121 in Pen PS_SOLID 2 0x1E140A",    // 12 o'clock, inwards from the inner circle
                  "Line 203 131 200 136 in Pen PS_SOLID 2 0x1E140A",
                  "Line 246 173 241 176 in Pen PS_SOLID 2 0x1E140A",
                  "Line 261 231 255 231 in Pen PS_SOLID 2 0x1E140A",  // 3 o'clock
                  "Line 246 288 241 285 in Pen PS_SOLID 2 0x1E140A",
                  "Line 204 331 201 326 in Pen PS_SOLID 2 0x1E140A",
                  "Line 146 346 146 340 in Pen PS_SOLID 2 0x1E140A",  // 6 o'clock
                  "Line 89 331 92 326 in Pen PS_SOLID 2 0x1E140A",
                  "Line 46 289 51 286 in Pen PS_SOLID 2 0x1E140A",
                  "Line 31 231 37 231 in Pen PS_SOLID 2 0x1E140A",  // 9 o'clock
                  "Line 46 174 51 177 in Pen PS_SOLID 2 0x1E140A",
                  "Line 88 131 91 136 in Pen PS_SOLID 2 0x1E140A",
              }));
    EXPECT_EQ(gdi.selected(offscreen.GetSafeHdc(), ObjectKind::pen), gdi.stockObject(StockObject::blackPen));
}

TEST_F(DialFaceTest, HandsGoFromTheCentreInOrderMonthDayHourMinuteSecond) {
    const CalendarSnapshot s = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    const DrawingKit kit(gdi, black, designDpi);
    {
        ScopedSelect pens(offscreen);
        drawHands(offscreen, pens, layout, computeHandEnds(s, layout), kit);
    }
    EXPECT_EQ(strokesOn(gdi, offscreen.GetSafeHdc()),
              (std::vector<std::string>{
                  "Line 146 231 135 298 in Pen PS_SOLID 6 0x00FFFF",  // month: 190 degrees, thick yellow
                  "Line 146 231 230 279 in Pen PS_SOLID 4 0x00FF00",  // day: 120 degrees, green
                  "Line 146 231 146 197 in Pen PS_SOLID 2 0x000000",  // hour, minute and second at 12:00:00,
                  "Line 146 231 146 179 in Pen PS_SOLID 2 0x000000",  // in the hand colour
                  "Line 146 231 146 144 in Pen PS_SOLID 2 0x000000",
              }));
    EXPECT_EQ(gdi.selected(offscreen.GetSafeHdc(), ObjectKind::pen), gdi.stockObject(StockObject::blackPen));
}

TEST_F(DialFaceTest, ANegativeDialTurnsHandsAndTicksThroughHalfATurn) {
    layout = computeDialLayout(292, 60, {16, 16, 16}, designDpi);  // innerRadius -14, outerRadius -15
    const CPen handPen(gdi, PenStyle::solid, 2, black);
    const DrawingKit kit(gdi, black, designDpi);
    {
        ScopedSelect pens(offscreen);
        drawFace(offscreen, pens, layout, handPen);
        drawHands(offscreen, pens, layout, computeHandEnds(testing::snapshotAt(2007, 6, 10, 12, 0, 0), layout), kit);
    }
    EXPECT_TRUE(containsInOrder(
        drawn(), {
                     "Ellipse 161 49 131 19",           // left and right, top and bottom exchanged: the same circle
                     "MoveTo 146 48", "LineTo 146 47",  // the 12 o'clock tick hangs below the centre
                     "MoveTo 146 34", "LineTo 146 44",  // the second hand at 0 s points down
                 }));
}

}  // namespace
}  // namespace quorvenda
