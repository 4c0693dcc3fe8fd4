#pragma once
// What GDI keeps for each device context (the objects selected into it, its
// colours, its background mode, its current position) and the rules a
// selection follows. Every surface that keeps its own books (the Cairo
// surface, the recorder of a kept picture, the recording surface) keeps them
// here, so that a selection does the same on each of them as on Windows.
#include <cstddef>
#include <map>

#include "render/dial_point.h"
#include "render/gdi_api.h"

namespace quorvenda {

enum class ObjectKind { none, pen, font, bitmap };

struct DcState {
    bool memory = false;
    GdiObject pen = noObject;
    GdiObject font = noObject;
    GdiObject bitmap = noObject;  // a memory device context's; none on a window's
    Colour bkColor = white;
    Colour textColor = black;
    bool transparent = false;
    Point position;
};

// Why a selection was refused.
enum class SelectRefusal {
    none,
    noSuchDc,
    bitmapIntoWindowDc,  // only a memory device context holds a bitmap
    bitmapElsewhere,     // a bitmap sits in one device context at a time
};

struct Selection {
    GdiObject previous = noObject;  // the object of that kind it replaced; none when refused
    SelectRefusal refusal = SelectRefusal::none;
};

class DcBook {
public:
    // Every new device context starts with the stock pen and font; a new
    // memory device context holds `defaultBitmap`, its own 1 × 1 monochrome
    // bitmap, which any number of them may hold at once.
    DcBook(GdiObject stockPen, GdiObject stockFont, GdiObject defaultBitmap);

    // `dc` is the surface's own new handle.
    void openWindowDc(DcHandle dc);
    void openMemoryDc(DcHandle dc);
    bool close(DcHandle dc);  // false when there is no such device context

    DcState* find(DcHandle dc);
    const DcState* find(DcHandle dc) const;

    Selection select(DcHandle dc, GdiObject object, ObjectKind kind);
    // Selected into any open device context: such an object may not be deleted.
    bool selectedAnywhere(GdiObject object) const;
    std::size_t memoryDcCount() const;
    GdiObject defaultBitmap() const { return defaultBitmap_; }

private:
    void open(DcHandle dc, bool memory);

    GdiObject stockPen_;
    GdiObject stockFont_;
    GdiObject defaultBitmap_;
    std::map<DcHandle, DcState> dcs_;
};

}  // namespace quorvenda
