#pragma once
// The drawing surface on Cairo: every operation keeps the meaning of the GDI
// call of the same name, so the repaint draws the same pixels as on Windows.
// Lines and ellipses are drawn without antialiasing (pure white stays pure
// white for the colour key); texts are laid out by Pango in a fontconfig face
// that has Japanese glyphs, converted from Shift-JIS to UTF-8 here, and are
// antialiased in grey unless the font or the colour key asks otherwise.
#include <cairo.h>

#include <memory>
#include <string>
#include <vector>

#include "render/gdi_api.h"

namespace quorvenda {

// A fontconfig family (UTF-8) at a height in device pixels: the desktop's
// interface font. The height is the character (em) height, what a desktop
// font's size becomes in pixels (points x DPI / 72); the cell GetTextExtent
// reports is taller by the face's ascent and descent.
struct CairoSystemFont {
    std::string family;
    int pixelHeight = 0;
};

// How the window's colour key (white keyed out) shows in what is drawn.
enum class CairoKeying {
    none,       // white is white; texts antialiased against what lies beneath
    hardEdges,  // white is white, texts drawn without antialiasing: no glyph
                // keeps a rim of half-white pixels where a one-bit shape cuts white out
    alpha,      // on ARGB32 images white is drawn fully transparent, and texts
                // are antialiased against that transparency: real alpha for a compositor
};

class CairoGdi final : public GdiApi {
public:
    // `systemFont` is the stock system font, and the font of every new device context.
    explicit CairoGdi(CairoSystemFont systemFont, CairoKeying keying = CairoKeying::none);
    ~CairoGdi() override;
    CairoGdi(const CairoGdi&) = delete;
    CairoGdi& operator=(const CairoGdi&) = delete;

    // A device context that draws onto `target`, an image surface the caller
    // owns and keeps alive until deleteDC(dc). RGB24 or ARGB32 (drawn opaque,
    // but for white under CairoKeying::alpha); any other surface, or a null
    // one, gives noDc. Bitmaps compatible with it have its format.
    DcHandle createSurfaceDC(cairo_surface_t* target);
    // Limits all that is drawn through the surface device context `dc` to
    // `areas`, in the surface's pixels: the rest of it stays as it is.
    void clipTo(DcHandle dc, const std::vector<Rect>& areas);

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
    void yieldTimeSlice() override;

private:
    struct State;
    std::unique_ptr<State> state_;
};

}  // namespace quorvenda
