// The recorder's bounds against what GDI really draws, call by call, on a
// 32-bit DIB section (a fresh memory device context's own bitmap is monochrome).
// The table first: windows.h would rename the framework's TextOut and CreateFont in it.
#include "item_bounds_table.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <optional>

#include "render/win32/text_font.h"
#include "render/win32/win32_gdi.h"
#include "render/win32/window_dpi.h"

namespace quorvenda {
namespace {

class DibPicture final : public testing::RealPicture {
public:
    DibPicture(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;  // top-down, as the pixels are read
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    }
    ~DibPicture() override { DeleteObject(bitmap_); }
    DibPicture(const DibPicture&) = delete;
    DibPicture& operator=(const DibPicture&) = delete;

    DcHandle openDc() override {
        HDC dc = CreateCompatibleDC(nullptr);
        original_ = SelectObject(dc, bitmap_);
        return toDcHandle(dc);
    }
    void closeDc(DcHandle dc) override {
        SelectObject(toHdc(dc), original_);
        DeleteDC(toHdc(dc));
    }
    void flush() override { GdiFlush(); }
    const std::uint32_t* row(int y) override { return bits_ + static_cast<std::ptrdiff_t>(y) * width_; }
    std::uint32_t colourBits() const override { return 0xFFFFFFu; }
    std::uint32_t whitePixel() const override { return 0xFFFFFFu; }
    int width() const override { return width_; }
    int height() const override { return height_; }

private:
    int width_, height_;
    HBITMAP bitmap_ = nullptr;
    std::uint32_t* bits_ = nullptr;
    HGDIOBJ original_ = nullptr;
};

TEST(ItemBounds, HoldEveryPixelGdiDrawsForEachCallOfTheDial) {
    GdiApi& gdi = win32Gdi();
    for (const int dpi : {96, 192}) {
        const DialLayout layout = testing::dialLayoutAt(dpi);
        DibPicture picture(layout.clientWidth, layout.clientHeight);
        for (const TextEdges edges : {TextEdges::smooth, TextEdges::hard}) {
            SCOPED_TRACE(std::to_string(dpi) + " DPI, " + (edges == TextEdges::hard ? "hard" : "smooth") + " edges");
            // Made through the surface it is given, so the recorder knows the font too.
            const auto textFont = [dpi, edges](GdiApi& g, int) { return makeTextFont(g, dpi, systemDpi(), edges); };
            testing::CallChecker check(gdi, picture, dpi, testing::TextSetup{edges, textFont, {}});
            for (const testing::OperationRow& row : testing::operationRows(layout)) {
                EXPECT_TRUE(check.staysInBounds(row));
            }
            if (edges == TextEdges::hard) continue;
            for (const int radius : {layout.outerRadius, layout.innerRadius}) {
                EXPECT_TRUE(check.circleShortcutHolds(radius));
            }
        }
    }
}

}  // namespace
}  // namespace quorvenda
