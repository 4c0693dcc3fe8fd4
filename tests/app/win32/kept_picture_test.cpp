// The kept dial on real GDI (run under Wine): drawn again only where it
// changed, second after second, it shows the pixels of a whole repaint of the
// same inputs, with smooth and with hard text edges, at 96 and 144 DPI.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "picture_sequence.h"
#include "render/dial_picture.h"
#include "render/paint_cycle.h"
#include "render/win32/text_font.h"
#include "render/win32/win32_canvas.h"
#include "render/win32/win32_gdi.h"

namespace quorvenda {
namespace {

// The pixels `source` shows over `width` × `height`, copied into a 32-bit top-down DIB.
std::vector<std::uint32_t> pixelsOf(HDC source, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ own = SelectObject(dc, dib);
    BitBlt(dc, 0, 0, width, height, source, 0, 0, SRCCOPY);
    GdiFlush();
    const auto* first = static_cast<const std::uint32_t*>(bits);
    std::vector<std::uint32_t> pixels(first, first + static_cast<std::size_t>(width) * height);
    SelectObject(dc, own);
    DeleteDC(dc);
    DeleteObject(dib);
    return pixels;
}

// A whole repaint of the same inputs, the ordinary way: onto a memory device
// context holding a bitmap compatible with the screen, as a window's would be.
std::vector<std::uint32_t> wholeRepaint(int width, int height, EventState& state, const RepaintSources& sources) {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
    HDC dc = CreateCompatibleDC(screen);
    ReleaseDC(nullptr, screen);
    const HGDIOBJ own = SelectObject(dc, bitmap);
    paintDial(win32Gdi(), toDcHandle(dc), width, height, state, sources);
    std::vector<std::uint32_t> pixels = pixelsOf(dc, width, height);
    SelectObject(dc, own);
    DeleteDC(dc);
    DeleteObject(bitmap);
    return pixels;
}

TEST(Win32KeptPicture, DrawsAgainOnlyWhatChangedAndShowsWhatAWholeRepaintShows) {
    struct Row {
        int dpi;
        TextEdges edges;
    };
    for (const Row row : {Row{96, TextEdges::smooth}, Row{96, TextEdges::hard}, Row{144, TextEdges::smooth},
                          Row{144, TextEdges::hard}}) {
        SCOPED_TRACE(std::to_string(row.dpi) + (row.edges == TextEdges::hard ? " DPI, hard edges" : " DPI"));
        const int width = MulDiv(292, row.dpi, 96);
        const int height = MulDiv(406, row.dpi, 96);
        testing::ScratchFolder folder;
        Win32Canvas canvas(nullptr);
        DialPicture picture(canvas);
        EventState keptState;
        EventState wholeState;
        CalendarSnapshot now;
        RepaintSources sources(row.dpi);
        sources.takeSnapshot = [&now] { return now; };
        sources.folder = folder.folder();
        sources.textEdges = row.edges;
        sources.textFont = textFontSpec(row.dpi, 96, row.edges);
        int index = 0;
        for (const testing::PictureTick& tick : testing::pictureSequence()) {
            SCOPED_TRACE("tick " + std::to_string(index++));
            testing::apply(tick, folder);
            now = tick.at;
            const std::vector<Rect> changed = picture.repaint(width, height, keptState, sources);
            const DcHandle kept = canvas.openDC();
            const std::vector<std::uint32_t> shown = pixelsOf(toHdc(kept), width, height);
            canvas.closeDC(kept);
            EXPECT_TRUE(shown == wholeRepaint(width, height, wholeState, sources))
                << "pixels differ from a whole repaint";
            if (index == 3) {
                // A tick that moves only the second hand (and rewrites the time) draws a small part of the dial.
                EXPECT_GT(testing::areaOf(changed), 0);
                EXPECT_LT(testing::areaOf(changed), width * height / 4) << "drawn again: " << testing::areaOf(changed);
            }
        }
        EXPECT_TRUE(picture.repaint(width, height, keptState, sources).empty()) << "an unchanged second draws nothing";
    }
}

}  // namespace
}  // namespace quorvenda
