// The kept dial, drawn again only where it changed, against a whole repaint
// of the same inputs, pixel for pixel, second after second.
#include "render/dial_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "render/cairo/cairo_canvas.h"
#include "render/cairo/cairo_gdi.h"
#include "picture_sequence.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::apply;
using testing::areaOf;
using testing::pictureSequence;
using testing::PictureTick;

constexpr int dpi = 96;
constexpr int width = 292;
constexpr int height = 406;
constexpr int systemFontHeight = 16;

// The image's pixels as a whole repaint leaves them; RGB24's unused byte cleared.
std::vector<std::uint32_t> pixelsOf(cairo_surface_t* image) {
    cairo_surface_flush(image);
    const bool alpha = cairo_image_surface_get_format(image) == CAIRO_FORMAT_ARGB32;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image) +
                                                                 y * cairo_image_surface_get_stride(image));
        for (int x = 0; x < width; ++x) pixels.push_back(alpha ? row[x] : row[x] & 0x00FFFFFFu);
    }
    return pixels;
}

TEST(DialPicture, DrawsAgainOnlyWhatChangedAndShowsWhatAWholeRepaintShows) {
    struct KeyingRow {
        CairoKeying keying;
        cairo_format_t format;
    };
    for (const KeyingRow row :
         {KeyingRow{CairoKeying::none, CAIRO_FORMAT_RGB24}, KeyingRow{CairoKeying::hardEdges, CAIRO_FORMAT_RGB24},
          KeyingRow{CairoKeying::alpha, CAIRO_FORMAT_ARGB32}}) {
        SCOPED_TRACE(static_cast<int>(row.keying));
        testing::ScratchFolder folder;
        CairoGdi gdi(CairoSystemFont{"IPAGothic", systemFontHeight}, row.keying);
        CairoCanvas canvas(gdi, row.format);
        DialPicture picture(canvas);
        EventState keptState;
        EventState wholeState;
        CalendarSnapshot now;
        RepaintSources sources(dpi);
        sources.takeSnapshot = [&now] { return now; };
        sources.folder = folder.folder();
        int index = 0;
        for (const PictureTick& tick : pictureSequence()) {
            SCOPED_TRACE("tick " + std::to_string(index++));
            apply(tick, folder);
            now = tick.at;
            const std::vector<Rect> changed = picture.repaint(width, height, keptState, sources);

            const CairoSurfacePtr whole(cairo_image_surface_create(row.format, width, height));
            const DcHandle dc = gdi.createSurfaceDC(whole.get());
            paintDial(gdi, dc, width, height, wholeState, sources);
            gdi.deleteDC(dc);
            ASSERT_NE(canvas.image(), nullptr);
            EXPECT_TRUE(pixelsOf(canvas.image()) == pixelsOf(whole.get())) << "pixels differ from a whole repaint";
            if (index == 3) {
                // A tick that moves only the second hand (and rewrites the time) draws a small part of the dial.
                EXPECT_GT(areaOf(changed), 0);
                EXPECT_LT(areaOf(changed), width * height / 4) << "drawn again: " << areaOf(changed);
            }
        }
        EXPECT_TRUE(picture.repaint(width, height, keptState, sources).empty()) << "an unchanged second draws nothing";
    }
}

}  // namespace
}  // namespace quorvenda
