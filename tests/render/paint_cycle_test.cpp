// Whole repaints: files read from a scratch folder, a fixed clock, a recording surface.
#include <gtest/gtest.h>

#include <optional>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "render/bitmap_dc.h"
#include "render/paint_cycle.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::containsInOrder;
using testing::slotLines;
using Lines = std::vector<std::string>;

class PaintCycleTest : public ::testing::Test {
protected:
    // One repaint on 10 June 2007 at noon; returns the off-screen surface's calls.
    Lines repaint(int dpi, int width = 292, int height = 406, std::optional<FontSpec> textFont = std::nullopt) {
        gdi.clearCalls();
        RepaintSources sources(dpi);
        sources.takeSnapshot = [this] {
            ++snapshotsTaken;
            return today;
        };
        sources.folder = folder.folder();
        sources.textEdges = textEdges;
        sources.textFont = std::move(textFont);
        paintDial(gdi, paintDc, width, height, state, sources);
        Lines lines;
        for (const auto& call : gdi.calls()) {
            if (belongsToOffscreenTrace(call, paintDc)) lines.push_back(traceLine(call));
        }
        return lines;
    }

    void writeEvents(std::vector<std::vector<std::string>> slots) {
        std::vector<std::string> lines;
        for (const auto& slot : slots) lines.insert(lines.end(), slot.begin(), slot.end());
        folder.write(eventListFileName, lines);
    }

    static bool hasLineStartingWith(const Lines& lines, const std::string& prefix) {
        return std::any_of(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
    }

    RecordingGdi gdi;
    DcHandle paintDc = gdi.openPaintDc();
    EventState state;
    testing::ScratchFolder folder;
    CalendarSnapshot today = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    int snapshotsTaken = 0;
    TextEdges textEdges = TextEdges::smooth;
};

TEST_F(PaintCycleTest, DrawsTheLayersInOrderAndReleasesEverythingInOrder) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "15")});
    const Lines lines = repaint(designDpi);

    ASSERT_GE(lines.size(), 24u);
    for (std::size_t i = 0; i < 24; ++i) EXPECT_EQ(lines[i].rfind("CreatePen ", 0), 0u) << "pen " << i;
    EXPECT_TRUE(containsInOrder(lines, {
                                           "CreateCompatibleBitmap 292 406",
                                           "CreateCompatibleDC NULL",
                                           "SelectBitmap 292 406",
                                           "Sleep 0",
                                           "SetBkColor 0xFFFFFF",
                                           "ExtTextOut ETO_OPAQUE 0 0 292 406",
                                           "SetBkMode TRANSPARENT",
                                           "TextOut 0 0 \"6月15日 会議まで 5日間\"",  // 1: text panel
                                           "TextOut 244 358 \"日曜日\"",
                                           "SelectFont 20 \"MS ゴシック\"",
                                           "TextOut 138 90 \"30\"",  // 2: day labels
                                           "SelectStockObject SYSTEM_FONT",
                                           "Ellipse 21 106 271 356",
                                           "Ellipse 30 115 262 347",  // 3: circles
                                           "MoveTo 146 115",          // 4: hour ticks
                                           "MoveTo 117 343",
                                           "Arc 139 335 153 321 0 0 0 0",  // 5: event marks
                                           "SelectPen PS_SOLID 6 0x00FFFF",
                                           "LineTo 146 144",  // 6: hands, second hand last
                                           "SelectStockObject BLACK_PEN",
                                           "StretchBlt 0 0 292 406 0 0 292 406 SRCCOPY",
                                       }));
    const Lines release(lines.end() - 28, lines.end());
    EXPECT_EQ(release[0], "DeleteFont 20 \"MS ゴシック\"");
    EXPECT_EQ(release[1], "SelectStockObject DEFAULT_BITMAP");
    EXPECT_EQ(release[2], "DeleteDC");
    EXPECT_EQ(release[3], "DeleteBitmap 292 406");
    for (std::size_t i = 4; i < release.size(); ++i) EXPECT_EQ(release[i].rfind("DeletePen ", 0), 0u) << release[i];
    EXPECT_TRUE(testing::cleanSurface(gdi));
    EXPECT_EQ(snapshotsTaken, 1);
}

TEST_F(PaintCycleTest, MeasuresOnThePaintDeviceContextAndDrawsOnlyTheCopyThere) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "15")});
    repaint(designDpi);
    int measured = 0;
    for (const auto& call : gdi.calls()) {
        if (call.call == GdiCall::getTextExtent) {
            EXPECT_EQ(call.dc, paintDc);
            ++measured;
        } else if (call.dc == paintDc) {
            EXPECT_TRUE(call.call == GdiCall::stretchBlt || call.call == GdiCall::createCompatibleBitmap)
                << traceLine(call);
        }
    }
    EXPECT_EQ(measured, 1 + 2 + 3 + 4);  // countdown line, footers, clock texts, labels
}

// Where the system font has no Japanese glyphs the window asks for a font of
// its own: every text is measured and drawn in it, the day labels in theirs,
// and neither device context still holds it when the repaint deletes it.
TEST_F(PaintCycleTest, AGivenTextFontMeasuresAndDrawsTheTextsAndIsPutBackBeforeItIsDeleted) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "15")});
    FontSpec japanese;
    japanese.height = 16;
    japanese.charSet = 128;
    const Lines drawn = repaint(designDpi, 292, 406, japanese);
    EXPECT_TRUE(containsInOrder(testing::linesOn(gdi, paintDc), {
                                                                    "SelectFont 16 \"\"",
                                                                    "GetTextExtent \"6月15日 会議まで 5日間\"",
                                                                    "GetTextExtent \"日曜日\"",
                                                                    "GetTextExtent \"30\"",
                                                                    "StretchBlt 0 0 292 406 0 0 292 406 SRCCOPY",
                                                                    "SelectStockObject SYSTEM_FONT",
                                                                }));
    EXPECT_TRUE(containsInOrder(drawn, {
                                           "SelectBitmap 292 406",
                                           "SelectFont 16 \"\"",
                                           "TextOut 0 0 \"6月15日 会議まで 5日間\"",
                                           "TextOut 244 358 \"日曜日\"",
                                           "SelectFont 20 \"MS ゴシック\"",
                                           "TextOut 138 90 \"30\"",
                                           "SelectFont 16 \"\"",
                                           "SelectStockObject SYSTEM_FONT",
                                           "DeleteDC",
                                           "DeleteFont 16 \"\"",
                                       }));
    EXPECT_TRUE(testing::cleanSurface(gdi));
}

// Every fixed size of the design grows with the window's DPI by one rule;
// the dotted pen alone stays one pixel wide, as a wider one draws solid.
TEST_F(PaintCycleTest, PensLabelFontShadowsAndMarkCirclesScaleWithTheWindowsDpi) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "13")});  // three days to go: both circles
    const struct {
        int dpi, monthPen, dayPen, handPen, markPen, ringPen, labelHeight, shadow, nearRadius, dueRadius;
    } rows[] = {
        {96, 6, 4, 2, 3, 1, 20, 1, 7, 11},    {120, 8, 5, 3, 4, 1, 25, 1, 9, 14}, {144, 9, 6, 3, 5, 2, 30, 2, 11, 17},
        {192, 12, 8, 4, 6, 2, 40, 2, 14, 22}, {110, 7, 5, 2, 3, 1, 23, 1, 8, 13}, {168, 11, 7, 4, 5, 2, 35, 2, 12, 19},
    };
    for (const auto& r : rows) {
        const Lines lines = repaint(r.dpi);
        ASSERT_GE(lines.size(), 24u);
        const auto solid = [](int width, const char* colour) {
            return "CreatePen PS_SOLID " + std::to_string(width) + " " + colour;
        };
        EXPECT_EQ(lines[0], solid(r.monthPen, "0x00FFFF")) << r.dpi;
        EXPECT_EQ(lines[1], solid(r.dayPen, "0x00FF00")) << r.dpi;
        EXPECT_EQ(lines[2], solid(r.handPen, "0x000000")) << r.dpi;
        EXPECT_EQ(lines[3], solid(r.markPen, "0x0000FF")) << r.dpi;    // slot 1's mark pen
        EXPECT_EQ(lines[10], "CreatePen PS_DOT 1 0x0000FF") << r.dpi;  // its dotted arc pen
        EXPECT_EQ(lines[17], solid(r.ringPen, "0x0000FF")) << r.dpi;   // its ring pen
        const std::string labelFont = "CreateFont " + std::to_string(r.labelHeight) + " 0 0 0 700 1 0 0 128 ";
        EXPECT_TRUE(hasLineStartingWith(lines, labelFont)) << r.dpi;
        const std::string shadow = std::to_string(r.shadow);
        EXPECT_TRUE(containsInOrder(lines, {"TextOut " + shadow + " " + shadow + " \"6月13日 会議まで 3日間\"",
                                            "TextOut 0 0 \"6月13日 会議まで 3日間\""}))
            << r.dpi;
        // Whole circles are arcs from (0, 0) to (0, 0): their widths are the diameters.
        std::vector<int> radii;
        for (const std::string& line : lines) {
            int left = 0, top = 0, right = 0, bottom = 0;
            char rest[32] = {};
            if (std::sscanf(line.c_str(), "Arc %d %d %d %d %31[0 ]", &left, &top, &right, &bottom, rest) == 5 &&
                std::string(rest) == "0 0 0 0") {
                radii.push_back((right - left) / 2);
            }
        }
        EXPECT_EQ(radii, (std::vector<int>{r.nearRadius, r.dueRadius})) << r.dpi;
    }
}

// The window keys its background out: the day labels' font is asked for
// without antialiasing, and nothing else of the repaint changes.
TEST_F(PaintCycleTest, HardTextEdgesAskOnlyTheDayLabelFontForNoAntialiasing) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "15")});
    for (int dpi : {96, 144}) {
        textEdges = TextEdges::smooth;
        const Lines smooth = repaint(dpi);
        textEdges = TextEdges::hard;
        const Lines hard = repaint(dpi);
        ASSERT_EQ(hard.size(), smooth.size()) << dpi;
        std::vector<std::pair<std::string, std::string>> differing;
        for (std::size_t i = 0; i < hard.size(); ++i) {
            if (hard[i] != smooth[i]) differing.emplace_back(smooth[i], hard[i]);
        }
        const std::string height = std::to_string(dpi * 20 / 96);
        const std::string font = "CreateFont " + height + " 0 0 0 700 1 0 0 128 0 0 ";
        const std::string face = " 0 \"MS ゴシック\"";
        EXPECT_EQ(differing, (std::vector<std::pair<std::string, std::string>>{{font + "0" + face, font + "3" + face}}))
            << dpi;
    }
}

TEST_F(PaintCycleTest, ReadsTheHandColourFromTheColourFileEveryRepaint) {
    folder.write(colourSettingsFileName, {"300", "-1", "0"});
    EXPECT_EQ(repaint(designDpi)[2], "CreatePen PS_SOLID 2 0x00FF2C");
    folder.write(colourSettingsFileName, {"255", "0", "0"});
    EXPECT_EQ(repaint(designDpi)[2], "CreatePen PS_SOLID 2 0x0000FF");
}

TEST_F(PaintCycleTest, OnlyTheLinesOfSlotsOneToThreeShrinkTheDial) {
    const auto row = [](const char* textFlag) { return slotLines("x", "0", textFlag, "2007", "7", "1"); };
    writeEvents({row("1"), row("1"), row("1")});
    EXPECT_TRUE(containsInOrder(repaint(designDpi, 292, 330), {"Ellipse 46 88 246 288"}));  // dial size 234
    writeEvents({row("0"), row("0"), row("0"), row("1"), row("1"), row("1"), row("1")});
    EXPECT_TRUE(containsInOrder(repaint(designDpi, 292, 330), {"Ellipse 21 63 271 313"}));  // dial size 292
}

// A slot shown on the dial but without a countdown line gets a countdown of
// its own: the countdown store alone would start at "due today".
TEST_F(PaintCycleTest, ADialOnlySlotGetsItsOwnCountdownButNoLineAndNoShrinking) {
    writeEvents({slotLines("遠い", "1", "0", "2007", "9", "15")});
    const Lines far = repaint(designDpi);
    EXPECT_TRUE(containsInOrder(far, {"SelectPen PS_SOLID 3 0x0000FF", "MoveTo 34 202"}));
    EXPECT_FALSE(hasLineStartingWith(far, "Arc ")) << "three months away: the event tick alone";
    EXPECT_EQ(state.countdowns.slots[0], (Countdown{0, 3, 5}));

    writeEvents({slotLines("近い", "1", "0", "2007", "6", "15")});
    const Lines near = repaint(designDpi);
    EXPECT_TRUE(containsInOrder(near, {"MoveTo 146 328", "LineTo 146 326", "Arc 48 133 244 329 146 328 230 279",
                                       "Arc 139 335 153 321 0 0 0 0"}));
    EXPECT_FALSE(hasLineStartingWith(near, "TextOut 0 0 ")) << "no countdown line";
    EXPECT_TRUE(containsInOrder(near, {"Ellipse 21 106 271 356"})) << "the dial keeps its size";
}

TEST_F(PaintCycleTest, ASlotWithNeitherFlagLeavesItsStoredCountdownAlone) {
    state.countdowns.slots[1] = Countdown{4, 5, 6};
    writeEvents({slotLines("", "", "", "", "", ""), slotLines("x", "0", "2", "2007", "6", "15")});
    repaint(designDpi);
    EXPECT_EQ(state.countdowns.slots[1], (Countdown{4, 5, 6}));
}

TEST_F(PaintCycleTest, WithoutTheEventFileSlotOneKeepsItsLastLinesAndTheOthersGo) {
    writeEvents({slotLines("会議", "1", "1", "2007", "6", "15"), slotLines("誕生日", "1", "1", "2007", "6", "20")});
    EXPECT_TRUE(containsInOrder(
        repaint(designDpi), {"TextOut 0 0 \"6月15日 会議まで 5日間\"", "TextOut 0 16 \"6月20日 誕生日まで 10日間\""}));
    std::filesystem::remove(folder.folder().pathOf(eventListFileName));
    const Lines lines = repaint(designDpi);
    EXPECT_TRUE(containsInOrder(lines, {"TextOut 0 0 \"6月15日 会議まで 5日間\"", "MoveTo 117 343"}));
    EXPECT_FALSE(hasLineStartingWith(lines, "SelectPen PS_SOLID 3 0x0096FF"));
}

TEST_F(PaintCycleTest, AFailedOffscreenBitmapFallsBackToAOneByOneBitmapAndTheRepaintRunsToItsEnd) {
    gdi.compatibleBitmapFailures = 1;
    const Lines lines = repaint(designDpi);
    EXPECT_TRUE(containsInOrder(
        lines, {"CreateCompatibleBitmap 292 406 failed", "CreateBitmap 1 1 1 1", "SelectBitmap 1 1 monochrome",
                "LineTo 146 144", "StretchBlt 0 0 292 406 0 0 292 406 SRCCOPY", "DeleteDC",
                "DeleteBitmap 1 1 monochrome", "DeletePen PS_SOLID 6 0x00FFFF"}));
    EXPECT_TRUE(testing::cleanSurface(gdi)) << "the fallback goes with the repaint";
}

TEST_F(PaintCycleTest, AnyClientSizeAndAnyFileContentGiveACompleteRepaint) {
    const std::string longName(300000, 'x');
    const struct {
        const char* what;
        int width;
        int height;
        std::vector<std::string> slot;
    } cases[] = {
        {"empty client", 0, 0, slotLines("a", "1", "1", "2007", "6", "15")},
        {"one pixel", 1, 1, slotLines("a", "1", "1", "2007", "6", "15")},
        {"largest client", 10000, 10000, slotLines("a", "1", "1", "2007", "6", "15")},
        {"wide and flat", 10000, 0, slotLines("a", "1", "1", "2007", "6", "15")},
        {"month 0, day 0, year 0", 292, 406, slotLines("a", "1", "1", "0", "0", "0")},
        {"month 13, day 40", 292, 406, slotLines("a", "1", "1", "2007", "13", "40")},
        {"month -5, day -40", 292, 406, slotLines("a", "1", "1", "2007", "-5", "-40")},
        {"numbers that wrap", 292, 406, slotLines("a", "1", "1", "99999999999", "4294967295", "2147483648")},
        {"extremes", 292, 406, slotLines("a", "1", "1", "-2147483648", "2147483647", "-2147483648")},
        {"a very long line", 292, 406, slotLines(longName, "1", "1", "2007", "6", "15")},
        {"a very long line in a tiny window", 1, 1, slotLines(longName, "1", "1", "2007", "6", "15")},
    };
    for (const auto& c : cases) {
        writeEvents({c.slot, c.slot, c.slot, c.slot, c.slot, c.slot, c.slot});
        const Lines lines = repaint(designDpi, c.width, c.height);
        EXPECT_TRUE(hasLineStartingWith(lines, "StretchBlt ")) << c.what;
        EXPECT_TRUE(testing::cleanSurface(gdi)) << c.what;
    }
}

TEST_F(PaintCycleTest, ColourFileValuesOfAnySizeKeepTheirLowEightBits) {
    folder.write(colourSettingsFileName, {"99999999999", "-2147483648", "2147483647"});
    EXPECT_EQ(repaint(designDpi)[2], "CreatePen PS_SOLID 2 0xFF00FF");
}

TEST_F(PaintCycleTest, AHugeNameIsCutToWhatAWindowCanShowOnACharacterBoundary) {
    // "6月15日 x" is 9 bytes, so the double-byte characters after it straddle the 64 KiB mark.
    std::string name = "x";
    while (name.size() < 1024 * 1024) name += "あ";
    writeEvents({slotLines(name, "1", "1", "2007", "6", "15"), slotLines("b", "1", "1", "2007", "6", "16")});
    const Lines lines = repaint(designDpi);

    const auto slot1 =
        std::find_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("TextOut 0 0 ", 0) == 0; });
    ASSERT_NE(slot1, lines.end());
    const std::string drawn = slot1->substr(std::string("TextOut 0 0 \"").size());
    EXPECT_EQ(drawn.size(), 64u * 1024 - 1 + 1) << "65535 bytes of text and the closing quote";
    EXPECT_EQ(drawn.substr(drawn.size() - 3), "あ\"");
    // Its height is that of any line: slot 2 follows 16 pixels below it.
    EXPECT_TRUE(hasLineStartingWith(lines, "TextOut 0 16 \"6月16日 bまで 6日間\""));
}

}  // namespace
}  // namespace quorvenda
