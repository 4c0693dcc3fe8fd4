#pragma once
// The display list's promise, checked on a real surface: every pixel a drawing
// call changes lies within the bounds the recorder gives its item, and where
// the replay paints an area white instead of stroking a big circle, the circle
// leaves that area white. Each row is one call the dial makes, with the pens
// and fonts it makes at that DPI, drawn onto a picture filled with a colour no
// call draws. Shared by the Cairo and the Win32 tests; the platform brings the
// picture, its text font and the edges its texts are drawn with.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "core/palette.h"
#include "render/dial_face.h"
#include "render/dial_layout.h"
#include "render/dial_point.h"
#include "render/display_list_recorder.h"
#include "render/drawing_kit.h"
#include "render/paint_cycle.h"

namespace quorvenda::testing {

// No call of the dial draws in it.
inline constexpr Colour sentinelColour = rgb(0x12, 0x34, 0x56);

// A picture of the dial's size on the real surface, read back whole.
class RealPicture {
public:
    virtual ~RealPicture() = default;
    virtual DcHandle openDc() = 0;  // a fresh device context drawing onto it
    virtual void closeDc(DcHandle dc) = 0;
    virtual void flush() = 0;  // before pixels are read
    // A row of pixels as the surface stores them, and the bits of each that hold its colour.
    virtual const std::uint32_t* row(int y) = 0;
    virtual std::uint32_t colourBits() const = 0;
    std::uint32_t pixel(int x, int y) { return row(y)[x] & colourBits(); }
    virtual std::uint32_t whitePixel() const = 0;
    virtual int width() const = 0;
    virtual int height() const = 0;
};

// What the platform draws texts with.
struct TextSetup {
    TextEdges edges = TextEdges::smooth;
    // The texts' font, made through the surface given; noObject: the system font.
    std::function<CGdiObject(GdiApi&, int dpi)> textFont;
    std::string dayLabelFace;  // empty: the dial's own
};

// The pens and fonts of one DPI, made on the surface drawn through.
struct DrawingTools {
    DrawingTools(GdiApi& gdi, int dpi, const TextSetup& text)
        : kit(gdi, black, dpi), dayLabelFont(gdi), textFont(text.textFont(gdi, dpi)) {
        FontSpec labelFont = dayLabelFontSpec(dpi, text.edges);
        if (!text.dayLabelFace.empty()) labelFont.faceName = text.dayLabelFace;
        dayLabelFont.CreateFont(labelFont);
    }
    DrawingKit kit;
    CFont dayLabelFont;
    CGdiObject textFont;
};

struct OperationRow {
    std::string what;
    std::function<void(CDC&, const DrawingTools&)> draw;  // one drawing call on a fresh device context
};

inline void drawLine(CDC& dc, const CGdiObject& pen, Point from, Point to) {
    ScopedSelect select(dc, pen);
    dc.MoveTo(from.x, from.y);
    dc.LineTo(to.x, to.y);
}

inline void drawText(CDC& dc, const CGdiObject& font, Colour colour, bool transparent, Point at, std::string text) {
    ScopedSelect select(dc);
    if (font.GetSafeHandle() != noObject) select.select(font);
    dc.SetTextColor(colour);
    dc.SetBkColor(white);
    if (transparent) dc.SetBkModeTransparent();
    dc.TextOut(at.x, at.y, text);
}

// Every kind of call the dial makes, placed and sized as the dial places and sizes them at `l.dpi`.
inline std::vector<OperationRow> operationRows(const DialLayout& l) {
    std::vector<OperationRow> rows;
    const Point centre{l.centreX, l.centreY};
    const auto add = [&rows](std::string what, std::function<void(CDC&, const DrawingTools&)> draw) {
        rows.push_back(OperationRow{std::move(what), std::move(draw)});
    };
    // The hands at their real widths, at angles that round differently, and the ticks.
    for (const double angle : {0.0, 7.0, 15.0, 30.0, 45.0, 62.0, 100.0, 135.0, 163.0, 210.0, 251.0, 278.0, 315.0}) {
        const std::string at = " at " + std::to_string(static_cast<int>(angle));
        const Point month = dialPoint(l, angle, l.monthHandLength);
        const Point day = dialPoint(l, angle, l.dayHandLength);
        const Point second = dialPoint(l, angle, l.secondHandLength);
        add("month hand" + at,
            [=](CDC& dc, const DrawingTools& t) { drawLine(dc, t.kit.monthHandPen, centre, month); });
        add("day hand" + at, [=](CDC& dc, const DrawingTools& t) { drawLine(dc, t.kit.dayHandPen, centre, day); });
        add("second hand" + at, [=](CDC& dc, const DrawingTools& t) { drawLine(dc, t.kit.handPen, centre, second); });
        const Point inner = dialPoint(l, angle, l.innerRadius), outer = dialPoint(l, angle, l.outerRadius);
        add("event tick" + at,
            [=](CDC& dc, const DrawingTools& t) { drawLine(dc, t.kit.slotMarkPen[0], inner, outer); });
        add("dotted line" + at,
            [=](CDC& dc, const DrawingTools& t) { drawLine(dc, t.kit.slotArcPen[1], centre, day); });
    }
    // The near-date circles round marks in the slots' rings: whole arcs, box upside down.
    for (const auto& [angle, fraction] : {std::pair{40.0, 0.91}, std::pair{190.0, 0.82}, std::pair{333.0, 1.0}}) {
        const Point mark = dialPoint(l, angle, l.dayHandLength, fraction);
        for (const int design : {7, 14, 11}) {
            const int r = scaledLength(l, design);
            add("near-date circle " + std::to_string(design) + " at " + std::to_string(static_cast<int>(angle)),
                [=](CDC& dc, const DrawingTools& t) {
                    ScopedSelect select(dc, t.kit.slotRingPen[2]);
                    dc.Arc(mark.x - r, mark.y + r, mark.x + r, mark.y - r, 0, 0, 0, 0);
                });
        }
    }
    // The dotted arcs from a near-date mark to the day hand, both ways round, in one slot's ring.
    for (const auto& [from, to] : {std::pair{20.0, 200.0}, std::pair{300.0, 95.0}, std::pair{5.0, 10.0}}) {
        const Point start = dialPoint(l, from, l.dayHandLength, 0.94);
        const Point end = dialPoint(l, to, l.dayHandLength);
        const int reach = static_cast<int>(l.dayHandLength * 0.94);
        add("dotted arc " + std::to_string(static_cast<int>(from)) + " to " + std::to_string(static_cast<int>(to)),
            [=](CDC& dc, const DrawingTools& t) {
                ScopedSelect select(dc, t.kit.slotArcPen[3]);
                dc.Arc(l.centreX - reach, l.centreY - reach, l.centreX + reach, l.centreY + reach, start.x, start.y,
                       end.x, end.y);
            });
    }
    for (const int radius : {l.outerRadius, l.innerRadius}) {
        add("circle of radius " + std::to_string(radius), [=](CDC& dc, const DrawingTools& t) {
            ScopedSelect select(dc, t.kit.handPen);
            dc.Ellipse(l.centreX - radius, l.centreY - radius, l.centreX + radius, l.centreY + radius);
        });
    }
    // The texts the dial draws, in both background modes: the system font's and the day labels'.
    const Point textAt{scaledLength(l, 30), scaledLength(l, 40)};
    const char* const texts[] = {"6月15日 会議まで 5日間",        "12時  0分  5秒", "2007年  6月 10日", "日曜日",
                                 "http://www.quorvenda.example/", "ｶﾀｶﾅ fj|"};
    const char* const labels[] = {"31", "15", " 5", "21", "26", "10"};
    for (const bool transparent : {true, false}) {
        const std::string mode = transparent ? " (transparent)" : " (opaque)";
        for (const char* text : texts) {
            add(text + mode, [=](CDC& dc, const DrawingTools& t) {
                drawText(dc, t.textFont, slotColour(1), transparent, textAt, text);
            });
        }
        for (const char* label : labels) {
            add(std::string("day label ") + label + mode, [=](CDC& dc, const DrawingTools& t) {
                drawText(dc, t.dayLabelFont, dayLabelColour, transparent, textAt, label);
            });
        }
    }
    return rows;
}

// The dial's layout at `dpi`, for the window's design size.
inline DialLayout dialLayoutAt(int dpi) {
    return computeDialLayout(scaledToDpi(292, dpi), scaledToDpi(406, dpi), SlotTextHeights{}, dpi);
}

// A fresh device context on `picture`, the picture filled with the sentinel colour first.
class PictureDc : public CDC {
public:
    PictureDc(GdiApi& gdi, RealPicture& picture) : CDC(gdi), picture_(picture) {
        Attach(picture.openDc());
        FillSolidRect(Rect{0, 0, picture.width(), picture.height()}, sentinelColour);
    }
    ~PictureDc() override { picture_.closeDc(Detach()); }

private:
    RealPicture& picture_;
};

inline std::string describe(const Rect& r) {
    std::ostringstream out;
    out << '[' << r.left << ", " << r.top << ") to (" << r.right << ", " << r.bottom << ')';
    return out.str();
}

// Draws rows of one DPI through the recorder and on the real surface, each
// with pens and fonts made once on that surface.
class CallChecker {
public:
    CallChecker(GdiApi& real, RealPicture& picture, int dpi, const TextSetup& text)
        : real_(real),
          picture_(picture),
          dpi_(dpi),
          recorder_(real),
          recorded_(recorder_, dpi, text),
          drawn_(real, dpi, text) {}

    // The single item the row records, with its bounds.
    DrawItem recorded(const OperationRow& row) {
        {
            CDC dc(recorder_);
            dc.CreateCompatibleDC(noDc);
            row.draw(dc, recorded_);
        }
        DisplayList list = recorder_.takeList();
        EXPECT_EQ(list.items.size(), 1u) << row.what;
        return list.items.empty() ? DrawItem{} : list.items.front();
    }

    // Draws the row alone on the picture, on the sentinel colour, which then reads as `untouched`.
    std::uint32_t drawn(const OperationRow& row) {
        PictureDc dc(real_, picture_);
        picture_.flush();
        const std::uint32_t untouched = picture_.pixel(0, 0);
        row.draw(dc, drawn_);
        picture_.flush();
        return untouched;
    }

    // Every pixel the row changes on the real surface lies within its item's bounds.
    ::testing::AssertionResult staysInBounds(const OperationRow& row) {
        const Rect b = recorded(row).bounds;
        const std::uint32_t untouched = drawn(row);
        Rect ink{1 << 30, 1 << 30, -(1 << 30), -(1 << 30)};
        int outside = 0;
        std::string first;
        const int width = picture_.width();
        const std::uint32_t bits = picture_.colourBits();
        for (int y = 0; y < picture_.height(); ++y) {
            const std::uint32_t* row = picture_.row(y);
            for (int x = 0; x < width; ++x) {
                if ((row[x] & bits) == untouched) continue;
                ink = Rect{std::min(ink.left, x), std::min(ink.top, y), std::max(ink.right, x + 1),
                           std::max(ink.bottom, y + 1)};
                if (x >= b.left && x < b.right && y >= b.top && y < b.bottom) continue;
                if (outside++ == 0) first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
        if (ink.right < ink.left) return ::testing::AssertionFailure() << row.what << ": nothing drawn";
        if (outside == 0) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure()
               << row.what << ": " << outside << " changed pixels outside the bounds " << describe(b)
               << ", the first at " << first << "; all changed pixels within " << describe(ink);
    }

    // Squares round a big circle of the dial, from well inside it to well
    // outside, along rays at many angles: where the replay's rule calls one
    // inside, the real ellipse leaves it white; where it calls one clear of
    // the circle, untouched.
    ::testing::AssertionResult circleShortcutHolds(int radius) {
        const DialLayout l = dialLayoutAt(dpi_);
        const OperationRow row{"circle", [&](CDC& dc, const DrawingTools& t) {
                                   ScopedSelect select(dc, t.kit.handPen);
                                   dc.Ellipse(l.centreX - radius, l.centreY - radius, l.centreX + radius,
                                              l.centreY + radius);
                               }};
        DisplayList circle;
        circle.items.push_back(recorded(row));
        const std::uint32_t untouched = drawn(row);
        // How the replay draws the circle into one area: not at all, a white fill, or the ellipse.
        CDC probeDc(recorder_);
        probeDc.CreateCompatibleDC(noDc);
        int inside = 0, clear = 0;
        const int side = scaledLength(l, 3), reach = scaledLength(l, 12);
        for (int angle = 0; angle < 360; angle += 9) {
            for (int distance = radius - reach; distance <= radius + reach; ++distance) {
                const Point p = dialPoint(l, angle, distance);
                const Rect area{p.x - side / 2, p.y - side / 2, p.x - side / 2 + side, p.y - side / 2 + side};
                drawItems(recorder_, probeDc.GetSafeHdc(), circle, {area});
                const DisplayList replay = recorder_.takeList();
                const bool filled = !replay.items.empty() && replay.items.front().op == DrawOp::fill;
                if (!replay.items.empty() && !filled) continue;
                (filled ? inside : clear)++;
                const std::uint32_t expected = filled ? picture_.whitePixel() : untouched;
                for (int y = area.top; y < area.bottom; ++y) {
                    for (int x = area.left; x < area.right; ++x) {
                        const std::uint32_t got = picture_.pixel(x, y);
                        if (got == expected) continue;
                        return ::testing::AssertionFailure()
                               << "radius " << radius << ": the area " << describe(area) << " is called "
                               << (filled ? "inside" : "clear of") << " the circle, but (" << x << ", " << y << ") is "
                               << std::hex << got;
                    }
                }
            }
        }
        if (inside == 0 || clear == 0) return ::testing::AssertionFailure() << "no area inside or clear of the circle";
        return ::testing::AssertionSuccess();
    }

private:
    GdiApi& real_;
    RealPicture& picture_;
    int dpi_;
    DisplayListGdi recorder_;
    DrawingTools recorded_;  // made through the recorder
    DrawingTools drawn_;     // made on the real surface
};

}  // namespace quorvenda::testing
