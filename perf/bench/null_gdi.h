#pragma once
// A drawing surface that does nothing at all, for measuring the cost of a
// repaint's own work. Handles are non-null and texts measure as on the
// recording surface.
#include "render/gdi_api.h"

namespace quorvenda {

class NullGdi : public GdiApi {
public:
    ~NullGdi() override = default;

    GdiObject createPen(PenStyle, int, Colour) override { return newObject(); }
    GdiObject createFont(const FontSpec&) override { return newObject(); }
    GdiObject createCompatibleBitmap(DcHandle, int, int) override { return newObject(); }
    GdiObject createMonochromeBitmap(int, int) override { return newObject(); }
    GdiObject getStockObject(StockObject) override { return stockObject; }
    bool deleteObject(GdiObject) override { return true; }

    DcHandle createCompatibleDC(DcHandle) override { return DcHandle{++nextHandle_}; }
    bool deleteDC(DcHandle) override { return true; }
    GdiObject selectObject(DcHandle, GdiObject) override { return stockObject; }

    Colour setBkColor(DcHandle, Colour) override { return 0; }
    void extTextOutOpaque(DcHandle, const Rect&) override {}
    void setBkModeTransparent(DcHandle) override {}
    void setBkModeOpaque(DcHandle) override {}
    Colour setTextColor(DcHandle, Colour) override { return 0; }
    void textOut(DcHandle, int, int, std::string_view) override {}
    TextExtent getTextExtent(DcHandle, std::string_view text) override;
    void moveTo(DcHandle, int, int) override {}
    void lineTo(DcHandle, int, int) override {}
    void ellipse(DcHandle, int, int, int, int) override {}
    void arc(DcHandle, int, int, int, int, int, int, int, int) override {}
    void stretchBlt(DcHandle, int, int, int, int, DcHandle, int, int, int, int) override {}
    void yieldTimeSlice() override {}

private:
    static constexpr GdiObject stockObject{1};
    GdiObject newObject() { return GdiObject{++nextHandle_}; }
    std::uintptr_t nextHandle_ = 1;
};

}  // namespace quorvenda
