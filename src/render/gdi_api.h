#pragma once
// The drawing operations a repaint needs, one virtual per GDI call with the
// same meaning. The Win32 implementation forwards each to GDI; the recording
// implementation logs them for tests and the trace tool. Nothing here includes
// windows.h: handles are opaque integers that hold HDC / HGDIOBJ values.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/colour.h"

namespace quorvenda {

enum class DcHandle : std::uintptr_t {};   // HDC
enum class GdiObject : std::uintptr_t {};  // HGDIOBJ: pen, font or bitmap

inline constexpr DcHandle noDc{};
inline constexpr GdiObject noObject{};

enum class PenStyle { solid = 0, dot = 2 };       // PS_SOLID, PS_DOT
enum class StockObject { blackPen, systemFont };  // BLACK_PEN, SYSTEM_FONT

// The arguments of CreateFontA, in its parameter order.
struct FontSpec {
    int height = 0;
    int width = 0;
    int escapement = 0;
    int orientation = 0;
    int weight = 0;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    int charSet = 0;
    int outPrecision = 0;
    int clipPrecision = 0;
    int quality = 0;
    int pitchAndFamily = 0;
    std::string faceName;  // Shift-JIS
    bool operator==(const FontSpec&) const = default;
};

// How a text's edges meet the background. hard: the texts must not be
// antialiased (a font's quality NONANTIALIASED_QUALITY), because the window
// keys its white background out and a pixel half white would stay behind on
// the desktop as a light rim round the glyphs.
enum class TextEdges { smooth, hard };

struct TextExtent {
    int cx = 0;
    int cy = 0;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

class GdiApi {
public:
    virtual ~GdiApi() = default;

    // Drawing objects.
    virtual GdiObject createPen(PenStyle style, int width, Colour colour) = 0;  // CreatePen
    virtual GdiObject createFont(const FontSpec& fontSpec) = 0;                 // CreateFontA
    virtual GdiObject createCompatibleBitmap(DcHandle dc, int width, int height) = 0;
    virtual GdiObject createMonochromeBitmap(int width, int height) = 0;  // CreateBitmap(w, h, 1, 1, NULL)
    virtual GdiObject getStockObject(StockObject which) = 0;
    virtual bool deleteObject(GdiObject object) = 0;

    // Device contexts.
    virtual DcHandle createCompatibleDC(DcHandle dc) = 0;  // noDc: compatible with the screen
    virtual bool deleteDC(DcHandle dc) = 0;
    virtual GdiObject selectObject(DcHandle dc, GdiObject object) = 0;  // returns the previous one

    // Drawing and measuring on a device context.
    virtual Colour setBkColor(DcHandle dc, Colour colour) = 0;
    virtual void extTextOutOpaque(DcHandle dc, const Rect& rect) = 0;  // ExtTextOutA, ETO_OPAQUE, no text
    virtual void setBkModeTransparent(DcHandle dc) = 0;
    virtual void setBkModeOpaque(DcHandle dc) = 0;  // SetBkMode OPAQUE, a new device context's mode
    virtual Colour setTextColor(DcHandle dc, Colour colour) = 0;
    virtual void textOut(DcHandle dc, int x, int y, std::string_view text) = 0;  // TextOutA
    virtual TextExtent getTextExtent(DcHandle dc, std::string_view text) = 0;    // GetTextExtentPoint32A
    virtual void moveTo(DcHandle dc, int x, int y) = 0;                          // MoveToEx
    virtual void lineTo(DcHandle dc, int x, int y) = 0;
    virtual void ellipse(DcHandle dc, int left, int top, int right, int bottom) = 0;
    virtual void arc(DcHandle dc, int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                     int yEnd) = 0;
    virtual void stretchBlt(DcHandle dst, int x, int y, int width, int height, DcHandle src, int xSrc, int ySrc,
                            int widthSrc, int heightSrc) = 0;  // SRCCOPY

    // Sleep(0): gives up the rest of the time slice once.
    virtual void yieldTimeSlice() = 0;
};

}  // namespace quorvenda
