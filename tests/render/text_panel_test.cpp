// The countdown lines, footer lines and clock texts, with every text 16 px
// high and 8 px a byte wide.
#include <gtest/gtest.h>

#include "render/text_panel.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::containsInOrder;
using Lines = std::vector<std::string>;

struct PanelCase {
    const char* what;
    int width;
    int height;
    std::array<const char*, slotCount> texts;  // null: the slot has no countdown line
    Lines expected;                            // in this order, other calls in between
};

Lines drawPanel(const PanelCase& c, Colour handColour = black) {
    RecordingGdi gdi;
    BorrowedDC paint(gdi, gdi.openPaintDc());
    CDC offscreen(gdi);
    offscreen.CreateCompatibleDC(noDc);
    CountdownTexts texts;
    SlotTextHeights heights{};
    for (std::size_t i = 0; i < slotCount; ++i) {
        if (c.texts[i] == nullptr) continue;
        texts[i] = c.texts[i];
        heights[i] = RecordingGdi::textHeight;
    }
    const DialLayout layout = computeDialLayout(c.width, c.height, heights, designDpi);
    const CalendarSnapshot snapshot = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    drawTextPanel(offscreen, paint, TextPanelInputs{texts, layout, snapshot, handColour});
    return testing::linesOn(gdi, offscreen.GetSafeHdc());
}

TEST(TextPanel, PlacesEveryTextAtItsEdge) {
    const PanelCase cases[] = {
        {"slots 1, 3 and 4 close up at the top left; footers bottom left; clock texts bottom right",
         292,
         406,
         {"一", nullptr, "三", "四"},
         {"SetTextColor 0x000000",
          "TextOut 1 1 \"一\"",
          "SetTextColor 0x0000FF",
          "TextOut 0 0 \"一\"",
          "SetTextColor 0x000000",
          "TextOut 1 17 \"三\"",
          "SetTextColor 0x00FFFF",
          "TextOut 0 16 \"三\"",
          "SetTextColor 0x000000",
          "TextOut 1 33 \"四\"",
          "SetTextColor 0x00FF00",
          "TextOut 0 32 \"四\"",
          "SetTextColor 0xA0A0FA",
          "TextOut 0 390 \"http://www.quorvenda.example/\"",
          "TextOut 0 374 \"2.0.6.2\"",
          "TextOut 165 391 \"2007年  6月 10日\"",
          "TextOut 164 390 \"2007年  6月 10日\"",
          "TextOut 181 375 \"12時  0分  0秒\"",
          "TextOut 180 374 \"12時  0分  0秒\"",
          "TextOut 245 359 \"日曜日\"",
          "TextOut 244 358 \"日曜日\""}},
        {"slots 2 and 5 only: orange on top, cyan right below",
         292,
         406,
         {nullptr, "二", nullptr, nullptr, "五"},
         {"SetTextColor 0x0096FF", "TextOut 0 0 \"二\"", "SetTextColor 0xFFFF00", "TextOut 0 16 \"五\""}},
        {"all seven in slot order, magenta last",
         292,
         406,
         {"1", "2", "3", "4", "5", "6", "7"},
         {"TextOut 0 0 \"1\"", "TextOut 0 48 \"4\"", "SetTextColor 0xFF00FF", "TextOut 0 96 \"7\""}},
        {"a larger window moves footers and clock texts with its edges",
         500,
         300,
         {"一"},
         {"TextOut 0 0 \"一\"", "TextOut 0 284 \"http://www.quorvenda.example/\"", "TextOut 0 268 \"2.0.6.2\"",
          "TextOut 372 284 \"2007年  6月 10日\"", "TextOut 388 268 \"12時  0分  0秒\"", "TextOut 452 252 \"日曜日\""}},
        {"a line wider than the window starts at the left edge all the same",
         40,
         406,
         {"とても長い行がウィンドウより広い"},
         {"TextOut 0 0 \"とても長い行がウィンドウより広い\""}},
    };
    for (const auto& c : cases) EXPECT_TRUE(containsInOrder(drawPanel(c), c.expected)) << c.what;
}

TEST(TextPanel, WithoutCountdownLinesTheFooterComesFirst) {
    const Lines lines = drawPanel(PanelCase{"", 292, 406, {}, {}});
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[1], "SetTextColor 0xA0A0FA");
    EXPECT_EQ(lines[2], "TextOut 0 390 \"http://www.quorvenda.example/\"");
}

TEST(TextPanel, FooterLinesHaveNoShadowAndClockTextsTakeTheHandColour) {
    const Lines lines = drawPanel(PanelCase{"", 292, 406, {}, {}}, rgb(1, 2, 3));
    EXPECT_EQ(testing::countOf(lines, "TextOut 1 391 \"http://www.quorvenda.example/\""), 0);
    EXPECT_TRUE(containsInOrder(lines, {"SetTextColor 0x000000", "TextOut 165 391 \"2007年  6月 10日\"",
                                        "SetTextColor 0x030201", "TextOut 164 390 \"2007年  6月 10日\""}));
}

}  // namespace
}  // namespace quorvenda
