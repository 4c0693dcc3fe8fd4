// The day labels' font as GDI realises it from the description the dial
// asks for: what the user reads round the month ring.
#include <gtest/gtest.h>
#include <windows.h>

#include "render/dial_face.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {
namespace {

TEST(DayLabelFont, IsRealisedAsTwentyPixelBoldItalicJapanese) {
    GdiApi& gdi = win32Gdi();
    const DcHandle dc = gdi.createCompatibleDC(noDc);
    const GdiObject font = gdi.createFont(dayLabelFontSpec());
    ASSERT_NE(font, noObject);
    const GdiObject original = gdi.selectObject(dc, font);

    TEXTMETRICA metrics{};
    ASSERT_TRUE(GetTextMetricsA(toHdc(dc), &metrics));
    EXPECT_NEAR(metrics.tmHeight, 20, 1);  // the installed font's nearest size to a 20-pixel cell
    EXPECT_EQ(metrics.tmWeight, FW_BOLD);
    EXPECT_NE(metrics.tmItalic, 0);
    EXPECT_FALSE(metrics.tmUnderlined || metrics.tmStruckOut);
    EXPECT_EQ(metrics.tmCharSet, SHIFTJIS_CHARSET);

    gdi.selectObject(dc, original);
    gdi.deleteObject(font);
    gdi.deleteDC(dc);
}

}  // namespace
}  // namespace quorvenda
