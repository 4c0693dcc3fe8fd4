// The Cairo surface against GDI's meaning, read back from the pixels it draws.
#include "render/cairo/cairo_gdi.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <vector>

#include "core/palette.h"
#include "render/dial_face.h"
#include "render/cairo/pango_font.h"
#include "render/paint_cycle.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::slotLines;

constexpr int systemFontHeight = 16;
constexpr const char* notoSansCjk = "Noto Sans CJK JP";
constexpr Colour red = rgb(255, 0, 0);
constexpr Colour blue = rgb(0, 0, 255);

// An image surface (RGB24 unless asked), white, with a surface device context drawing on it.
class Canvas {
public:
    Canvas(CairoGdi& gdi, int width, int height, cairo_format_t format = CAIRO_FORMAT_RGB24)
        : gdi_(gdi), surface_(cairo_image_surface_create(format, width, height)) {
        fill(white);
        dc = gdi.createSurfaceDC(surface_);
    }
    ~Canvas() {
        gdi_.deleteDC(dc);
        cairo_surface_destroy(surface_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    void fill(Colour colour) {
        cairo_surface_flush(surface_);
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                row(y)[x] = 0xFF000000u | (colour & 0xFF) << 16 | (colour & 0xFF00) | colour >> 16;
        cairo_surface_mark_dirty(surface_);
    }
    Colour at(int x, int y) const {
        cairo_surface_flush(surface_);
        const std::uint32_t pixel = row(y)[x];
        return rgb(pixel >> 16 & 0xFF, pixel >> 8 & 0xFF, pixel & 0xFF);
    }
    std::uint32_t pixel(int x, int y) const {
        cairo_surface_flush(surface_);
        return row(y)[x];
    }
    int width() const { return cairo_image_surface_get_width(surface_); }
    int height() const { return cairo_image_surface_get_height(surface_); }
    // Pixels that are not `background`, with their position.
    std::vector<std::pair<Point, Colour>> inked(Colour background = white) const {
        std::vector<std::pair<Point, Colour>> pixels;
        for (int y = 0; y < height(); ++y)
            for (int x = 0; x < width(); ++x)
                if (at(x, y) != background) pixels.push_back({Point{x, y}, at(x, y)});
        return pixels;
    }

    DcHandle dc = noDc;

private:
    std::uint32_t* row(int y) const {
        return reinterpret_cast<std::uint32_t*>(cairo_image_surface_get_data(surface_) +
                                                y * cairo_image_surface_get_stride(surface_));
    }
    CairoGdi& gdi_;
    cairo_surface_t* surface_;
};

CairoSystemFont testSystemFont() {
    return CairoSystemFont{"IPAGothic", systemFontHeight};
}

int channel(Colour colour, int shift) {
    return static_cast<int>(colour >> shift & 0xFF);
}

// True when `pixel` mixes white, black and `colour`: what grey-antialiased
// text in `colour` over its black shadow leaves on white.
bool mixesWhiteBlackAnd(Colour pixel, Colour colour) {
    // pixel = 255 w + a colour, per channel: least squares for (w, a).
    double sww = 0, swa = 0, saa = 0, swp = 0, sap = 0;
    for (int shift : {0, 8, 16}) {
        const double c = channel(colour, shift);
        const double p = channel(pixel, shift);
        sww += 255.0 * 255.0, swa += 255.0 * c, saa += c * c, swp += 255.0 * p, sap += c * p;
    }
    const double det = sww * saa - swa * swa;
    double w = 0, a = 0;
    if (std::abs(det) < 1e-9) {
        w = swp / sww;  // a colour of equal channels: black and grey only
    } else {
        w = (swp * saa - sap * swa) / det;
        a = (sww * sap - swa * swp) / det;
    }
    constexpr double slack = 0.03;
    if (w < -slack || a < -slack || w + a > 1 + slack) return false;
    for (int shift : {0, 8, 16}) {
        if (std::abs(255.0 * w + a * channel(colour, shift) - channel(pixel, shift)) > 3) return false;
    }
    return true;
}

struct StrokeRow {
    const char* what;
    PenStyle style;
    int width;
    std::function<void(CairoGdi&, DcHandle)> draw;
    std::vector<Point> inked;  // in the pen's colour
    std::vector<Point> blank;  // left white
    Rect within;               // no ink outside it (right, bottom exclusive)
    int minimumInk = 0;        // pixels drawn, at least and at most
    int maximumInk = 1 << 30;
    int inkInColumn = -1;  // in the column `column`, when not -1
    int column = 0;
};

void line(CairoGdi& gdi, DcHandle dc, int x0, int y0, int x1, int y1) {
    gdi.moveTo(dc, x0, y0);
    gdi.lineTo(dc, x1, y1);
}

// The pixels a dotted one-pixel pen sets and skips along a horizontal line
// from (0, y), `length` long: GDI's pattern, three on and three off from the
// start, and the end pixel left out as on any line.
struct DottedPixels {
    std::vector<Point> on;
    std::vector<Point> off;
};
DottedPixels gdiDottedRun(int y, int length) {
    constexpr int on = 3, period = 6;
    DottedPixels pixels;
    for (int x = 0; x < length; ++x) (x % period < on ? pixels.on : pixels.off).push_back({x, y});
    pixels.off.push_back({length, y});
    return pixels;
}

TEST(CairoGdi, StrokesCoverGdisPixelsInThePenColourAndNothingElse) {
    constexpr int dottedRun = 30;
    const DottedPixels dots = gdiDottedRun(5, dottedRun);
    const std::vector<StrokeRow> rows = {
        {"a one-pixel line leaves its end pixel out",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 2, 3, 12, 3); },
         {{2, 3}, {11, 3}},
         {{12, 3}, {1, 3}},
         {2, 3, 12, 4},
         10,
         10},
        {"a diagonal one-pixel line: one pixel a step",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 2, 2, 9, 9); },
         {{2, 2}, {5, 5}, {8, 8}},
         {{9, 9}, {3, 2}},
         {2, 2, 9, 9},
         7,
         7},
        {"a steep line drawn upwards",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 7, 30, 5, 10); },
         {{7, 30}, {6, 20}},
         {{5, 10}},
         {5, 11, 8, 31},
         20,
         20},
        {"a line drawn both ways sets the same pixels, half steps taken alike",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) {
             line(g, dc, 2, 2, 6, 4);
             line(g, dc, 6, 4, 2, 2);
         },
         {{2, 2}, {3, 2}, {4, 3}, {5, 3}, {6, 4}},
         {{3, 3}, {5, 4}},
         {2, 2, 7, 5},
         5,
         5},
        {"a pen of width 0 draws one pixel wide",
         PenStyle::solid,
         0,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 0, 0, 0, 5); },
         {{0, 0}, {0, 4}},
         {{0, 5}, {1, 0}},
         {0, 0, 1, 5},
         5,
         5},
        {"a two-pixel pen: two pixels across",
         PenStyle::solid,
         2,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 5, 10, 25, 10); },
         {{15, 10}},
         {{15, 13}, {15, 7}},
         {3, 8, 28, 13},
         0,
         1 << 30,
         2,
         15},
        {"a six-pixel pen: six across, round end over the end point",
         PenStyle::solid,
         6,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 5, 20, 25, 20); },
         {{15, 17}, {15, 22}, {25, 20}, {27, 20}},
         {{15, 16}, {15, 24}},
         {1, 16, 30, 25},
         0,
         1 << 30,
         6,
         15},
        {"a dotted pen: three pixels on, three off, every pixel of the run",
         PenStyle::dot,
         1,
         [](CairoGdi& g, DcHandle dc) { line(g, dc, 0, 5, dottedRun, 5); },
         dots.on,
         dots.off,
         {0, 5, dottedRun, 6},
         dottedRun / 2,
         dottedRun / 2},
        {"an ellipse's outline: right and bottom exclusive",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { g.ellipse(dc, 10, 10, 31, 31); },
         {{10, 20}, {30, 20}, {20, 10}, {20, 30}},
         {{31, 20}, {20, 31}, {20, 20}},
         {10, 10, 31, 31}},
        {"an ellipse given right to left and bottom up is the same",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { g.ellipse(dc, 31, 31, 10, 10); },
         {{10, 20}, {30, 20}, {20, 10}, {20, 30}},
         {{31, 20}, {20, 20}},
         {10, 10, 31, 31}},
        {"an arc runs counter-clockwise from the start ray to the end ray",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { g.arc(dc, 0, 0, 41, 41, 40, 20, 20, 0); },
         {{34, 6}, {40, 20}, {20, 0}},
         {{6, 34}, {34, 34}, {6, 6}},
         {20, 0, 41, 21}},
        {"an arc from the top ray to the right one takes the other three quarters",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { g.arc(dc, 0, 0, 41, 41, 20, 0, 40, 20); },
         {{6, 34}, {34, 34}, {6, 6}},
         {{34, 6}},
         {0, 0, 41, 41}},
        {"an arc whose rays coincide is the whole ellipse, box upside down",
         PenStyle::solid,
         1,
         [](CairoGdi& g, DcHandle dc) { g.arc(dc, 13, 27, 27, 13, 0, 0, 0, 0); },
         {{13, 20}, {26, 20}, {20, 13}},
         {{20, 20}},
         {13, 13, 27, 27}},
        {"a wide arc is stroked along the same ellipse",
         PenStyle::solid,
         3,
         [](CairoGdi& g, DcHandle dc) { g.arc(dc, 0, 0, 41, 41, 40, 20, 20, 0); },
         {{34, 6}, {39, 20}},
         {{6, 34}},
         {17, 0, 42, 23}},
        {"a dotted arc leaves gaps along the curve",
         PenStyle::dot,
         1,
         [](CairoGdi& g, DcHandle dc) { g.arc(dc, 0, 0, 41, 41, 0, 0, 0, 0); },
         {},
         {{20, 20}},
         {0, 0, 41, 41},
         40,
         80},
    };
    CairoGdi gdi(testSystemFont());
    for (const StrokeRow& row : rows) {
        SCOPED_TRACE(row.what);
        Canvas canvas(gdi, 48, 48);
        const GdiObject pen = gdi.createPen(row.style, row.width, blue);
        const GdiObject stockPen = gdi.selectObject(canvas.dc, pen);
        row.draw(gdi, canvas.dc);
        gdi.selectObject(canvas.dc, stockPen);
        EXPECT_TRUE(gdi.deleteObject(pen));
        for (Point p : row.inked) EXPECT_EQ(canvas.at(p.x, p.y), blue) << p.x << ',' << p.y;
        for (Point p : row.blank) EXPECT_EQ(canvas.at(p.x, p.y), white) << p.x << ',' << p.y;
        const auto ink = canvas.inked();
        for (const auto& [p, colour] : ink) {
            EXPECT_EQ(colour, blue) << "not antialiased: " << p.x << ',' << p.y;
            EXPECT_TRUE(p.x >= row.within.left && p.x < row.within.right && p.y >= row.within.top &&
                        p.y < row.within.bottom)
                << "stray ink at " << p.x << ',' << p.y;
        }
        EXPECT_GE(static_cast<int>(ink.size()), row.minimumInk);
        EXPECT_LE(static_cast<int>(ink.size()), row.maximumInk);
        if (row.inkInColumn >= 0) {
            int count = 0;
            for (const auto& entry : ink) count += entry.first.x == row.column;
            EXPECT_EQ(count, row.inkInColumn);
        }
    }
}

TEST(CairoGdi, EllipsesPaintTheirInsideWhiteOverWhatIsThere) {
    CairoGdi gdi(testSystemFont());
    Canvas canvas(gdi, 40, 40);
    canvas.fill(red);
    gdi.ellipse(canvas.dc, 5, 5, 35, 35);  // the stock black pen
    EXPECT_EQ(canvas.at(20, 20), white);
    EXPECT_EQ(canvas.at(5, 20), black);
    EXPECT_EQ(canvas.at(34, 20), black);
    EXPECT_EQ(canvas.at(35, 20), red);
    EXPECT_EQ(canvas.at(8, 8), red) << "the corner outside the circle";
}

struct TextRow {
    const char* what;
    FontSpec font;
    const char* text;  // Shift-JIS
    // The cell GetTextExtent reports, to a pixel of rounding: a positive font
    // height itself; for a negative (character) height, the face's ascent
    // plus descent at that em: the em in IPA Gothic, 1.45 em in Noto Sans CJK.
    int cellHeight;
    int minimumInk;
};

FontSpec fontOf(int height, int weight = 0, bool italic = false, const char* face = "MS ゴシック") {
    FontSpec font;
    font.height = height;
    font.weight = weight;
    font.italic = italic;
    font.faceName = face;
    return font;
}

TEST(CairoGdi, TextsSitAtTheirCellsTopLeftInTheirColourInACellOfTheFontsHeight) {
    const std::vector<TextRow> rows = {
        {"a cell height", fontOf(30), "12", 30, 20},
        {"a character height", fontOf(-16), "12", 16, 20},
        {"bold italic at a larger cell", fontOf(30, 700, true), "31", 30, 40},
        {"Japanese in the day-label face", fontOf(-24), "会議まで", 24, 150},
        {"a face with no Japanese glyphs falls back to one that has them", fontOf(-24, 0, false, "DejaVu Sans"), "会議",
         24, 80},
        {"an absurd height is held to 4096 pixels", fontOf(-2147483647 - 1), "", 4096, 0},
        // The Japanese face of most desktops, whose cell is not its em.
        {"Noto Sans CJK: a cell height is the cell, the glyphs smaller", fontOf(30, 0, false, notoSansCjk), "会議まで",
         30, 150},
        {"Noto Sans CJK: a character height is the em, the cell taller", fontOf(-20, 0, false, notoSansCjk), "会議まで",
         29, 150},
        {"Noto Sans CJK: the day labels' bold italic cell", fontOf(20, 700, true, notoSansCjk), "31", 20, 20},
    };
    CairoGdi gdi(testSystemFont());
    for (const TextRow& row : rows) {
        SCOPED_TRACE(row.what);
        Canvas canvas(gdi, 160, 60);
        const GdiObject font = gdi.createFont(row.font);
        const GdiObject systemFont = gdi.selectObject(canvas.dc, font);
        const TextExtent extent = gdi.getTextExtent(canvas.dc, row.text);
        EXPECT_NEAR(extent.cy, row.cellHeight, 1);
        if (row.minimumInk == 0) {
            gdi.selectObject(canvas.dc, systemFont);
            EXPECT_TRUE(gdi.deleteObject(font));
            continue;
        }
        constexpr int x = 5, y = 7;
        gdi.setBkModeTransparent(canvas.dc);
        gdi.setTextColor(canvas.dc, red);
        gdi.textOut(canvas.dc, x, y, row.text);
        gdi.selectObject(canvas.dc, systemFont);
        EXPECT_TRUE(gdi.deleteObject(font));
        const auto ink = canvas.inked();
        EXPECT_GE(static_cast<int>(ink.size()), row.minimumInk);
        bool fullColour = false;
        for (const auto& [p, colour] : ink) {
            EXPECT_TRUE(p.x >= x && p.x < x + extent.cx + extent.cy / 4 && p.y >= y && p.y < y + extent.cy)
                << "ink off the cell at " << p.x << ',' << p.y;
            // Red over white: green and blue fall together, red stays full.
            EXPECT_EQ(channel(colour, 0), 255) << p.x << ',' << p.y;
            EXPECT_NEAR(channel(colour, 8), channel(colour, 16), 1) << p.x << ',' << p.y;
            fullColour = fullColour || colour == red;
        }
        EXPECT_TRUE(fullColour) << "some pixel in the text colour itself";
    }
}

TEST(CairoGdi, KanjiDrawAsTheirOwnGlyphsNotAsBoxes) {
    CairoGdi gdi(testSystemFont());
    // A missing glyph draws a box of the same size for both; the real glyphs differ tenfold in ink.
    int ink[2] = {};
    const char* texts[2] = {"一", "議"};
    for (int i = 0; i < 2; ++i) {
        Canvas canvas(gdi, 40, 40);
        gdi.setBkModeTransparent(canvas.dc);
        gdi.textOut(canvas.dc, 2, 2, texts[i]);
        ink[i] = static_cast<int>(canvas.inked().size());
    }
    EXPECT_GT(ink[0], 0);
    EXPECT_GT(ink[1], 3 * ink[0]);
}

TEST(CairoGdi, KeepsGdisBooksAndSurvivesEveryMisuse) {
    CairoGdi gdi(testSystemFont());
    Canvas canvas(gdi, 16, 16);
    const DcHandle memory = gdi.createCompatibleDC(canvas.dc);
    ASSERT_NE(memory, noDc);
    const GdiObject pen = gdi.createPen(PenStyle::solid, 3, red);
    EXPECT_EQ(gdi.selectObject(memory, pen), gdi.getStockObject(StockObject::blackPen)) << "a new DC's pen";
    EXPECT_FALSE(gdi.deleteObject(pen)) << "a selected pen is not deleted";
    EXPECT_EQ(gdi.selectObject(memory, gdi.getStockObject(StockObject::blackPen)), pen);
    EXPECT_TRUE(gdi.deleteObject(pen));
    EXPECT_FALSE(gdi.deleteObject(pen)) << "a second delete";
    EXPECT_EQ(gdi.selectObject(memory, pen), noObject) << "a deleted pen cannot be selected";

    const GdiObject font = gdi.createFont(fontOf(-12));
    EXPECT_EQ(gdi.selectObject(memory, font), gdi.getStockObject(StockObject::systemFont)) << "a new DC's font";
    gdi.selectObject(memory, gdi.getStockObject(StockObject::systemFont));
    EXPECT_TRUE(gdi.deleteObject(font));

    // A fresh memory DC holds a monochrome bitmap, so a bitmap compatible with it is monochrome;
    // one compatible with a surface DC is in colour. The copy tells them apart.
    const GdiObject mono = gdi.createCompatibleBitmap(memory, 4, 4);
    const GdiObject colour = gdi.createCompatibleBitmap(canvas.dc, 4, 4);
    for (GdiObject bitmap : {mono, colour}) {
        ASSERT_NE(bitmap, noObject);
        const GdiObject old = gdi.selectObject(memory, bitmap);
        EXPECT_NE(old, noObject);
        gdi.setBkColor(memory, red);
        gdi.extTextOutOpaque(memory, Rect{0, 0, 4, 4});
        gdi.stretchBlt(canvas.dc, 0, 0, 4, 4, memory, 0, 0, 4, 4);
        EXPECT_EQ(canvas.at(3, 3), bitmap == mono ? black : red) << "red on a monochrome bitmap is black";
        EXPECT_EQ(canvas.at(4, 4), white) << "the copy stops at its size";
        EXPECT_FALSE(gdi.deleteObject(bitmap)) << "a selected bitmap is not deleted";
        EXPECT_EQ(gdi.selectObject(canvas.dc, bitmap), noObject) << "a surface DC takes no bitmap";
        EXPECT_EQ(gdi.selectObject(memory, old), bitmap);
        EXPECT_TRUE(gdi.deleteObject(bitmap));
    }

    // A dotted pen's gaps take the background colour until the background mode is transparent.
    const GdiObject dots = gdi.createPen(PenStyle::dot, 1, blue);
    const GdiObject stockPen = gdi.selectObject(canvas.dc, dots);
    gdi.setBkColor(canvas.dc, red);
    line(gdi, canvas.dc, 0, 12, 12, 12);
    gdi.setBkModeTransparent(canvas.dc);
    line(gdi, canvas.dc, 0, 13, 12, 13);
    gdi.selectObject(canvas.dc, stockPen);
    EXPECT_TRUE(gdi.deleteObject(dots));
    EXPECT_EQ(canvas.at(0, 12), blue);
    EXPECT_EQ(canvas.at(3, 12), red);
    EXPECT_EQ(canvas.at(3, 13), white);

    // Sizes: zero gives a 1x1 bitmap, negative and absurd ones none.
    const GdiObject tiny = gdi.createCompatibleBitmap(canvas.dc, 0, 5);
    EXPECT_NE(tiny, noObject);
    EXPECT_TRUE(gdi.deleteObject(tiny));
    EXPECT_EQ(gdi.createCompatibleBitmap(canvas.dc, -4, 4), noObject);
    EXPECT_EQ(gdi.createCompatibleBitmap(canvas.dc, 1 << 30, 1 << 30), noObject);
    EXPECT_EQ(gdi.createMonochromeBitmap(100000, 100000), noObject);

    // Misuse: null and deleted DCs, huge coordinates, a null surface.
    EXPECT_EQ(gdi.createSurfaceDC(nullptr), noDc);
    EXPECT_TRUE(gdi.deleteDC(memory));
    EXPECT_FALSE(gdi.deleteDC(memory));
    for (DcHandle dc : {noDc, memory}) {
        gdi.moveTo(dc, 1, 1);
        gdi.lineTo(dc, 2, 2);
        gdi.ellipse(dc, 0, 0, 4, 4);
        gdi.textOut(dc, 0, 0, "x");
        EXPECT_EQ(gdi.getTextExtent(dc, "x").cy, 0);
        gdi.stretchBlt(canvas.dc, 0, 0, 4, 4, dc, 0, 0, 4, 4);
        if (dc != noDc) {
            EXPECT_EQ(gdi.createCompatibleBitmap(dc, 4, 4), noObject);
        }
    }
    const int huge = 2147483647;
    const GdiObject wide = gdi.createPen(PenStyle::solid, huge, red);
    gdi.selectObject(canvas.dc, wide);
    gdi.moveTo(canvas.dc, -huge, -huge);
    gdi.lineTo(canvas.dc, huge, huge);
    gdi.selectObject(canvas.dc, gdi.getStockObject(StockObject::blackPen));
    gdi.moveTo(canvas.dc, -huge - 1, 8);
    gdi.lineTo(canvas.dc, huge, 8);
    gdi.ellipse(canvas.dc, -huge, -huge, huge, huge);
    gdi.arc(canvas.dc, huge, huge, -huge, -huge, 0, 0, huge, -huge);
    gdi.textOut(canvas.dc, huge, huge, "x");
    gdi.stretchBlt(canvas.dc, 0, 0, huge, huge, canvas.dc, 0, 0, 1, 1);
    EXPECT_EQ(canvas.at(0, 8), black) << "a line from far away still crosses the bitmap";
    EXPECT_EQ(canvas.at(15, 15), red) << "and so does a wide one";
}

// Whole repaints on a Cairo surface at 96 and 144 DPI, in a face whose cell
// is its em and in one whose cell is taller: the countdown lines shrink the
// dial by their cells, as measured.
TEST(CairoGdi, APaintedDialHasPureStrokesAndOnlyTextGreysBesideThem) {
    testing::ScratchFolder folder;
    // Slot 1 with dial marks, slots 1 to 3 with a countdown line each.
    std::vector<std::string> events = slotLines("会議", "1", "1", "2007", "6", "13");
    for (const char* name : {"旅行", "休暇"}) {
        const auto lines = slotLines(name, "0", "1", "2007", "8", "1");
        events.insert(events.end(), lines.begin(), lines.end());
    }
    folder.write(eventListFileName, events);
    const CalendarSnapshot today = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    const std::vector<Colour> pens = {monthHandColour, dayHandColour, black, slotColour(1)};
    std::vector<Colour> textColours(slotColours.begin(), slotColours.end());
    textColours.insert(textColours.end(), {footerColour, dayLabelColour, black});
    for (const auto& [face, dpi] : {std::pair{"IPAGothic", 96}, std::pair{"IPAGothic", 144}, std::pair{notoSansCjk, 96},
                                    std::pair{notoSansCjk, 144}}) {
        SCOPED_TRACE(face);
        SCOPED_TRACE(dpi);
        const int width = scaledToDpi(292, dpi), height = scaledToDpi(406, dpi);
        CairoGdi gdi(CairoSystemFont{face, scaledToDpi(systemFontHeight, dpi)});
        Canvas window(gdi, width, height);
        EventState state;
        RepaintSources sources(dpi);
        sources.takeSnapshot = [&today] { return today; };
        sources.folder = folder.folder();
        paintDial(gdi, window.dc, width, height, state, sources);

        const int cell = gdi.getTextExtent(window.dc, "会議").cy;
        const DialLayout layout = computeDialLayout(width, height, SlotTextHeights{cell, cell, cell}, dpi);
        const int outerLeft = layout.centreX - layout.outerRadius;
        EXPECT_EQ(window.at(outerLeft, layout.centreY), black) << "the outer circle's left edge";
        EXPECT_EQ(window.at(outerLeft - scaledLength(layout, 2), layout.centreY), white) << "left of the outer circle";
        const Offset month = computeHandEnds(today, layout).month;
        for (double f : {0.4, 0.6, 0.8, 0.95}) {
            const int x = layout.centreX + static_cast<int>(month.dx * f);
            const int y = layout.centreY + static_cast<int>(month.dy * f);
            EXPECT_EQ(window.at(x, y), monthHandColour) << "the month hand at " << f;
        }
        int texts = 0;
        for (const auto& [p, colour] : window.inked()) {
            const bool pen = std::find(pens.begin(), pens.end(), colour) != pens.end();
            const double dx = p.x - layout.centreX, dy = p.y - layout.centreY;
            if (std::hypot(dx, dy) < layout.innerRadius - 3) {
                EXPECT_TRUE(pen) << "a blended stroke inside the dial at " << p.x << ',' << p.y;
                continue;
            }
            if (pen) continue;
            ++texts;
            EXPECT_TRUE(std::any_of(textColours.begin(), textColours.end(),
                                    [colour](Colour c) { return mixesWhiteBlackAnd(colour, c); }))
                << std::hex << colour << std::dec << " at " << p.x << ',' << p.y;
        }
        EXPECT_GT(texts, 100) << "the texts' antialiased edges";
    }
}

// With the colour key on, no pixel is a blend with the keyed-out white: with
// hard edges every pixel is white or one of the design's colours; drawn as
// alpha, white is transparent and a text's edge is its colour (or its black
// shadow) over transparency. The hands are white, so they key out too.
TEST(CairoGdi, AKeyedDialHasNoPixelBlendedWithTheKeyedOutWhite) {
    testing::ScratchFolder folder;
    folder.write(eventListFileName, slotLines("会議", "1", "1", "2007", "6", "15"));
    folder.write(colourSettingsFileName, {"255", "255", "255", "1", "100"});
    const CalendarSnapshot today = testing::snapshotAt(2007, 6, 10, 12, 0, 0);
    std::vector<Colour> designColours(slotColours.begin(), slotColours.end());
    designColours.insert(designColours.end(),
                         {footerColour, dayLabelColour, black, white, monthHandColour, dayHandColour});
    constexpr int dpi = 96;
    const int width = 292, height = 406;
    for (const CairoKeying keying : {CairoKeying::hardEdges, CairoKeying::alpha}) {
        const bool alpha = keying == CairoKeying::alpha;
        SCOPED_TRACE(alpha ? "alpha" : "hard edges");
        CairoGdi gdi(CairoSystemFont{"IPAGothic", systemFontHeight}, keying);
        Canvas window(gdi, width, height, alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24);
        EventState state;
        RepaintSources sources(dpi);
        sources.takeSnapshot = [&today] { return today; };
        sources.folder = folder.folder();
        paintDial(gdi, window.dc, width, height, state, sources);

        int transparent = 0, partial = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const std::uint32_t pixel = window.pixel(x, y);
                const unsigned a = alpha ? pixel >> 24 : 255;
                if (a == 0) {
                    ++transparent;
                    continue;
                }
                const Colour colour = window.at(x, y);
                if (!alpha) {
                    EXPECT_TRUE(std::find(designColours.begin(), designColours.end(), colour) != designColours.end())
                        << std::hex << colour << std::dec << " at " << x << ',' << y;
                    continue;
                }
                if (a < 255) ++partial;
                // Premultiplied: a text colour darkened by its shadow, over transparency; never white.
                constexpr int shifts[] = {0, 8, 16};
                EXPECT_TRUE(std::any_of(designColours.begin(), designColours.end(),
                                        [&](Colour c) {
                                            return c != white &&
                                                   std::all_of(std::begin(shifts), std::end(shifts), [&](int shift) {
                                                       return channel(colour, shift) <=
                                                              (static_cast<int>(a) * channel(c, shift) + 254) / 255 + 1;
                                                   });
                                        }))
                    << std::hex << pixel << std::dec << " at " << x << ',' << y;
            }
        }
        if (alpha) {
            EXPECT_GT(transparent, width * height / 2) << "white keyed out";
            EXPECT_GT(partial, 100) << "the texts' antialiased edges";
        }
    }
}

// The desktop's font setting as GTK reads it: points at the DPI, pixels at the scale factor only.
TEST(CairoGdi, DesktopFontSettingsBecomeTheirPixelHeights) {
    struct Row {
        const char* setting;
        int dpi, scale, pixels;
    };
    for (const Row& row : {Row{"IPAGothic 10", 96, 1, 13}, Row{"IPAGothic 10", 144, 1, 20},
                           Row{"IPAGothic 10", 192, 2, 27}, Row{"IPAGothic", 96, 1, 13}, Row{"IPAGothic", 144, 1, 20},
                           Row{"IPAGothic", 192, 2, 27}, Row{"Sans 13px", 96, 1, 13}, Row{"Sans 13px", 144, 1, 13},
                           Row{"Sans 13px", 192, 2, 26}, Row{"Sans 0.1", 96, 1, 1}}) {
        SCOPED_TRACE(std::string(row.setting) + " at " + std::to_string(row.dpi));
        const PangoFontDescriptionPtr setting(pango_font_description_from_string(row.setting));
        EXPECT_EQ(desktopFontPixelHeight(setting.get(), row.dpi, row.scale), row.pixels);
    }
}

TEST(CairoGdi, RepaintsOfANegativeSizedDialNoClientAreaAndNoBitmapDrawWithoutHarm) {
    testing::ScratchFolder folder;
    std::vector<std::string> events;
    for (int slot = 0; slot < 3; ++slot) {
        const auto lines = slotLines(std::string(40, 'x'), "1", "1", "2007", "6", "12");
        events.insert(events.end(), lines.begin(), lines.end());
    }
    folder.write(eventListFileName, events);
    CairoGdi gdi(testSystemFont());
    // The last is too large for an off-screen bitmap: the repaint draws on the shared 1x1 one instead.
    for (const auto& [width, height] :
         {std::pair{120, 40}, std::pair{0, 0}, std::pair{1, 500}, std::pair{40000, 40000}}) {
        cairo_surface_t* surface =
            cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::clamp(width, 1, 600), std::clamp(height, 1, 600));
        const DcHandle window = gdi.createSurfaceDC(surface);
        EventState state;
        RepaintSources sources(designDpi);
        sources.takeSnapshot = [] { return testing::snapshotAt(2007, 6, 10, 12, 0, 0); };
        sources.folder = folder.folder();
        paintDial(gdi, window, width, height, state, sources);
        EXPECT_TRUE(gdi.deleteDC(window));
        cairo_surface_destroy(surface);
    }
}

}  // namespace
}  // namespace quorvenda

// Fontconfig keeps its configuration and caches for the life of the process,
// some of it no longer pointed to at exit; the leak check is for our code.
// (Releasing them with FcFini at exit races with what Pango and Cairo still
// hold and aborts now and then.) Read by LeakSanitizer at start-up.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
