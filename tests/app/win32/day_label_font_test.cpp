// The day labels' font as GDI realises it from the description the dial
// asks for: what the user reads round the month ring.
#include <gtest/gtest.h>
#include <windows.h>

#include <utility>

#include "render/dial_face.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {
namespace {

// Twenty pixels at 96 DPI, in proportion at the others; the same asked for
// without antialiasing (hard edges).
TEST(DayLabelFont, IsRealisedAsBoldItalicJapaneseOfTheScaledHeight) {
    GdiApi& gdi = win32Gdi();
    const DcHandle dc = gdi.createCompatibleDC(noDc);
    for (const auto& [dpi, height] : {std::pair{96, 20}, std::pair{144, 30}, std::pair{192, 40}}) {
        for (TextEdges edges : {TextEdges::smooth, TextEdges::hard}) {
            const GdiObject font = gdi.createFont(dayLabelFontSpec(dpi, edges));
            ASSERT_NE(font, noObject);
            const GdiObject original = gdi.selectObject(dc, font);

            TEXTMETRICA metrics{};
            ASSERT_TRUE(GetTextMetricsA(toHdc(dc), &metrics));
            EXPECT_NEAR(metrics.tmHeight, height, 1) << dpi;  // the installed font's nearest size to the cell
            EXPECT_EQ(metrics.tmWeight, FW_BOLD);
            EXPECT_NE(metrics.tmItalic, 0);
            EXPECT_FALSE(metrics.tmUnderlined || metrics.tmStruckOut);
            EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);

            gdi.selectObject(dc, original);
            gdi.deleteObject(font);
        }
    }
    gdi.deleteDC(dc);
}

}  // namespace
}  // namespace quorvenda
