#pragma once
// A drawing surface that stands in for the real one during a repaint and
// records it as a display list.
//
// It keeps the books of every device context itself and records each drawing
// call as a `DrawItem` with the state its pixels depend on and its bounds.
// Pens and fonts are made on the real surface, so that texts are measured
// exactly as they will be drawn and the items can be drawn again later; they
// are deleted only by `release`. Nothing is drawn and no bitmap is made while
// recording.
#include <map>
#include <optional>
#include <string_view>
#include <vector>

#include "render/dc_state.h"
#include "render/display_list.h"

namespace quorvenda {

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
    void setBkModeOpaque(DcHandle dc) override;
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
    struct Object {
        ObjectKind kind = ObjectKind::pen;
        PenLook pen;
        std::optional<FontSpec> font;  // none: the stock system font
        GdiObject real = noObject;     // pens and fonts: the real surface's
        bool stock = false;
    };

    GdiObject addObject(Object object);
    GdiObject addBitmap();
    const Object* find(GdiObject object) const;
    // A new item with the device context's state, or null where nothing it draws would be kept.
    DrawItem* record(DcHandle dc, DrawOp op);
    TextExtent measure(const DcState& dc, std::string_view text);

    GdiApi& real_;
    DcHandle measuringDc_;  // the real surface's, for texts
    GdiObject realSystemFont_;
    std::uintptr_t next_ = 1;
    std::map<GdiObject, Object> objects_;
    GdiObject blackPen_;
    GdiObject systemFont_;
    GdiObject defaultBitmap_;
    DcBook dcs_;                   // after the stock objects it starts every device context with
    std::vector<GdiObject> made_;  // on the real surface, to delete in release()
    DcHandle windowDc_;
    DisplayList list_;
    std::vector<GdiObject> itemBitmaps_;     // the bitmap each item went to
    std::optional<GdiObject> copiedBitmap_;  // the one bitmap copied 1:1 onto the window
};

}  // namespace quorvenda
