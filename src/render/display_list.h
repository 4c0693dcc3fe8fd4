#pragma once
// A repaint kept as a list of what it drew, so that the next one can be
// compared with it and drawn again only where it differs.
//
// `DisplayListGdi` stands in for a drawing surface during one repaint: it
// keeps the books of every device context itself (pen, font, colours,
// background mode, position) and records each drawing call as a `DrawItem`
// that carries everything its pixels depend on, together with the bounds of
// every pixel it may touch. Pens and fonts are made on the real surface, so
// that texts are measured exactly as they will be drawn and the items can be
// drawn again later; they are deleted only by `release`. Nothing is drawn and
// no bitmap is made while recording.
//
// Outside the bounds of the items that differ between two lists, the same
// items cover each pixel in the same order, so its colour is the same: the
// changed area is exactly what must be drawn again, and drawing every item
// that reaches into it, clipped to it, gives the pixels of a whole repaint.
#include <array>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/dial_point.h"
#include "render/gdi_api.h"

namespace quorvenda {

enum class DrawOp { fill, text, line, ellipse, arc };

struct PenLook {
    PenStyle style = PenStyle::solid;
    int width = 0;
    Colour colour = black;
    bool operator==(const PenLook&) const = default;
};

// A font as it was asked for; the stock system font by that name alone.
struct FontLook {
    bool stock = true;
    std::array<int, 13> numbers{};  // CreateFont's numeric arguments, in order
    std::string faceName;
    bool operator==(const FontLook&) const = default;
};

struct DrawItem {
    DrawOp op = DrawOp::fill;
    std::array<int, 8> args{};  // fill, ellipse: the box; line: from, to; arc: the box, start, end; text: x, y
    std::string text;
    PenLook pen;
    FontLook font;
    Colour textColour = black;
    Colour bkColour = white;
    bool transparent = false;
    Rect bounds;  // every pixel the item may touch, in the picture's pixels

    // The real surface's objects to draw it again with; not part of what the item looks like.
    GdiObject penObject = noObject;
    GdiObject fontObject = noObject;

    bool looksLike(const DrawItem& other) const;
};

struct DisplayList {
    std::vector<DrawItem> items;  // in drawing order, on the off-screen picture
    // Drawn the way this list cannot keep (on the window's own device context,
    // or a copy that is not the one 1:1 copy of the picture): draw it whole.
    bool unkeepable = false;
};

class DisplayListGdi final : public GdiApi {
public:
    explicit DisplayListGdi(GdiApi& real);
    ~DisplayListGdi() override;
    DisplayListGdi(const DisplayListGdi&) = delete;
    DisplayListGdi& operator=(const DisplayListGdi&) = delete;

    // The window's device context to hand the repaint, as BeginPaint would.
    DcHandle windowDc() const { return windowDc_; }
    // The list recorded since the last take, and a fresh start.
    DisplayList takeList();
    // Deletes the pens and fonts the recorded repaint made on the real surface,
    // once its items are drawn; none may still be selected there.
    void release();

    GdiObject createPen(PenStyle style, int width, Colour colour) override;
    GdiObject createFont(const FontSpec& fontSpec) override;
    GdiObject createCompatibleBitmap(DcHandle dc, int width, int height) override;
    GdiObject createMonochromeBitmap(int width, int height) override;
    GdiObject getStockObject(StockObject which) override;
    bool deleteObject(GdiObject object) override;

    DcHandle createCompatibleDC(DcHandle dc) override;
    bool deleteDC(DcHandle dc) override;
    GdiObject selectObject(DcHandle dc, GdiObject object) override;

    Colour setBkColor(DcHandle dc, Colour colour) override;
    void extTextOutOpaque(DcHandle dc, const Rect& rect) override;
    void setBkModeTransparent(DcHandle dc) override;
    Colour setTextColor(DcHandle dc, Colour colour) override;
    void textOut(DcHandle dc, int x, int y, std::string_view text) override;
    TextExtent getTextExtent(DcHandle dc, std::string_view text) override;
    void moveTo(DcHandle dc, int x, int y) override;
    void lineTo(DcHandle dc, int x, int y) override;
    void ellipse(DcHandle dc, int left, int top, int right, int bottom) override;
    void arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd) override;
    void stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc, int widthSrc,
                    int heightSrc) override;
    void yieldTimeSlice() override {}

private:
    enum class Kind { pen, font, bitmap };
    struct Object {
        Kind kind = Kind::pen;
        PenLook pen;
        FontLook font;
        GdiObject real = noObject;  // pens and fonts: the real surface's
        bool stock = false;
    };
    struct Dc {
        bool memory = false;
        GdiObject pen = noObject;
        GdiObject font = noObject;
        GdiObject bitmap = noObject;
        Colour bkColor = white;
        Colour textColor = black;
        bool transparent = false;
        Point position;
    };

    GdiObject addObject(Object object);
    GdiObject addBitmap();
    Dc* find(DcHandle dc);
    const Object* find(GdiObject object) const;
    // A new item with the device context's state, or null where nothing it draws would be kept.
    DrawItem* record(DcHandle dc, DrawOp op);
    TextExtent measure(const Dc& dc, std::string_view text);

    GdiApi& real_;
    DcHandle measuringDc_;  // the real surface's, for texts
    GdiObject realSystemFont_;
    GdiObject blackPen_;
    GdiObject systemFont_;
    std::map<GdiObject, Object> objects_;
    std::map<DcHandle, Dc> dcs_;
    std::vector<GdiObject> made_;  // on the real surface, to delete in release()
    std::uintptr_t next_ = 1;
    DcHandle windowDc_;
    DisplayList list_;
    std::vector<GdiObject> itemBitmaps_;     // the bitmap each item went to
    std::optional<GdiObject> copiedBitmap_;  // the one bitmap copied 1:1 onto the window
};

// The bounds of the items that differ between `before` and `after`, compared
// item by item in drawing order (an item without a counterpart differs).
std::vector<Rect> changedAreas(const DisplayList& before, const DisplayList& after);

// Draws again every item of `list` whose bounds reach into `areas`, in order,
// through `opaque` and `transparent` (the same picture; the second with a
// transparent background mode). The caller clips both to `areas`.
void drawItems(GdiApi& gdi, DcHandle opaque, DcHandle transparent, const DisplayList& list,
               const std::vector<Rect>& areas);

}  // namespace quorvenda
