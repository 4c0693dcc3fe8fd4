// The drawn pixels of a keyed repaint, as the rectangles of the window's shape.
#include "render/cairo/drawn_pixels.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "render/cairo/cairo_handles.h"

namespace quorvenda {
namespace {

constexpr std::uint32_t whiteWithTopByte = 0xFFFFFFFF;
constexpr std::uint32_t whiteWithoutTopByte = 0x00FFFFFF;
constexpr std::uint32_t nearWhite = 0xFFFEFFFF;
constexpr std::uint32_t opaqueRed = 0xFFFF0000;
constexpr std::uint32_t faintAlpha = 0x01010000;  // premultiplied: a trace of red

struct Pixel {
    int x, y;
    std::uint32_t value;
};

struct DrawnRow {
    std::string what;
    cairo_format_t format;
    int width, height;
    std::uint32_t background;
    std::vector<Pixel> pixels;
    std::vector<PixelRectangle> expected;
};

CairoSurfacePtr imageOf(const DrawnRow& row) {
    CairoSurfacePtr image(cairo_image_surface_create(row.format, row.width, row.height));
    cairo_surface_flush(image.get());
    unsigned char* data = cairo_image_surface_get_data(image.get());
    const int stride = cairo_image_surface_get_stride(image.get());
    auto at = [&](int x, int y) -> std::uint32_t& { return reinterpret_cast<std::uint32_t*>(data + y * stride)[x]; };
    for (int y = 0; y < row.height; ++y)
        for (int x = 0; x < row.width; ++x) at(x, y) = row.background;
    for (const Pixel& p : row.pixels) at(p.x, p.y) = p.value;
    cairo_surface_mark_dirty(image.get());
    return image;
}

TEST(DrawnPixels, AreTheRunsOfEveryRowJoinedIntoBands) {
    const std::vector<DrawnRow> rows = {
        {"all white", CAIRO_FORMAT_RGB24, 40, 5, whiteWithTopByte, {}, {}},
        {"white whatever the unused top byte",
         CAIRO_FORMAT_RGB24,
         3,
         1,
         whiteWithoutTopByte,
         {{1, 0, whiteWithTopByte}},
         {}},
        {"one pixel", CAIRO_FORMAT_RGB24, 1, 1, opaqueRed, {}, {{0, 0, 1, 1}}},
        {"near-white is drawn", CAIRO_FORMAT_RGB24, 4, 1, whiteWithTopByte, {{2, 0, nearWhite}}, {{2, 0, 1, 1}}},
        {"a run across a 32-pixel word",
         CAIRO_FORMAT_RGB24,
         33,
         1,
         whiteWithTopByte,
         {{30, 0, opaqueRed}, {31, 0, opaqueRed}, {32, 0, opaqueRed}},
         {{30, 0, 3, 1}}},
        {"runs at both ends of a row",
         CAIRO_FORMAT_RGB24,
         33,
         1,
         whiteWithTopByte,
         {{0, 0, opaqueRed}, {32, 0, opaqueRed}},
         {{0, 0, 1, 1}, {32, 0, 1, 1}}},
        {"equal rows make one band, a different row a new one",
         CAIRO_FORMAT_RGB24,
         6,
         4,
         whiteWithTopByte,
         {{1, 0, opaqueRed}, {4, 0, opaqueRed}, {1, 1, opaqueRed}, {4, 1, opaqueRed}, {1, 3, opaqueRed}},
         {{1, 0, 1, 2}, {4, 0, 1, 2}, {1, 3, 1, 1}}},
        {"an empty row ends a band",
         CAIRO_FORMAT_RGB24,
         2,
         3,
         whiteWithTopByte,
         {{0, 0, opaqueRed}, {0, 2, opaqueRed}},
         {{0, 0, 1, 1}, {0, 2, 1, 1}}},
        {"with alpha: any alpha is drawn, none is not",
         CAIRO_FORMAT_ARGB32,
         4,
         2,
         0,
         {{0, 0, faintAlpha}, {3, 1, opaqueRed}},
         {{0, 0, 1, 1}, {3, 1, 1, 1}}},
        {"with alpha: opaque white is drawn", CAIRO_FORMAT_ARGB32, 2, 1, 0, {{1, 0, whiteWithTopByte}}, {{1, 0, 1, 1}}},
    };
    for (const DrawnRow& row : rows) {
        SCOPED_TRACE(row.what);
        const CairoSurfacePtr image = imageOf(row);
        EXPECT_EQ(drawnRectangles(image.get()), row.expected);
    }
}

// Kept between repaints, only the rows a repaint changed are read again.
TEST(DrawnPixels, FollowTheRowsARepaintChanged) {
    const DrawnRow row{"", CAIRO_FORMAT_RGB24, 33, 4, whiteWithTopByte, {{1, 1, opaqueRed}}, {}};
    const CairoSurfacePtr image = imageOf(row);
    DrawnPixelRuns runs;
    EXPECT_TRUE(runs.update(image.get(), {}));
    EXPECT_FALSE(runs.update(image.get(), {Rect{0, 0, 33, 4}})) << "nothing changed";
    cairo_surface_flush(image.get());
    auto* pixels = reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(image.get()));
    const int wordsPerRow = cairo_image_surface_get_stride(image.get()) / 4;
    pixels[1 * wordsPerRow + 1] = whiteWithTopByte;
    pixels[3 * wordsPerRow + 32] = opaqueRed;
    cairo_surface_mark_dirty(image.get());
    EXPECT_TRUE(runs.update(image.get(), {Rect{20, 3, 33, 4}, Rect{0, 1, 2, 2}}));
    EXPECT_EQ(runs.rectangles(), (std::vector<PixelRectangle>{{32, 3, 1, 1}}));
}

TEST(DrawnPixels, OfAnImageThatCouldNotBeMadeAreNone) {
    const CairoSurfacePtr failed(cairo_image_surface_create(CAIRO_FORMAT_RGB24, -1, -1));
    EXPECT_TRUE(drawnRectangles(failed.get()).empty());
    EXPECT_TRUE(drawnRectangles(nullptr).empty());
}

}  // namespace
}  // namespace quorvenda
