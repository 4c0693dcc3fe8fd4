// The recorder's bounds against what Cairo really draws, call by call.
#include <gtest/gtest.h>

#include <cstddef>

#include "item_bounds_table.h"
#include "render/cairo/cairo_gdi.h"
#include "render/cairo/cairo_handles.h"

namespace quorvenda {
namespace {

constexpr int systemFontHeight = 16;

class CairoPicture final : public testing::RealPicture {
public:
    CairoPicture(CairoGdi& gdi, int width, int height, cairo_format_t format)
        : gdi_(gdi), surface_(cairo_image_surface_create(format, width, height)), format_(format) {}
    DcHandle openDc() override { return gdi_.createSurfaceDC(surface_.get()); }
    void closeDc(DcHandle dc) override { gdi_.deleteDC(dc); }
    void flush() override { cairo_surface_flush(surface_.get()); }
    const std::uint32_t* row(int y) override {
        const unsigned char* data = cairo_image_surface_get_data(surface_.get());
        return reinterpret_cast<const std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) *
                                                                 cairo_image_surface_get_stride(surface_.get()));
    }
    // RGB24 leaves the top byte undefined.
    std::uint32_t colourBits() const override { return format_ == CAIRO_FORMAT_RGB24 ? 0xFFFFFFu : 0xFFFFFFFFu; }
    std::uint32_t whitePixel() const override { return 0xFFFFFFu; }
    int width() const override { return cairo_image_surface_get_width(surface_.get()); }
    int height() const override { return cairo_image_surface_get_height(surface_.get()); }

private:
    CairoGdi& gdi_;
    CairoSurfacePtr surface_;
    cairo_format_t format_;
};

struct SurfaceSetup {
    const char* face;
    CairoKeying keying;
};

TEST(ItemBounds, HoldEveryPixelCairoDrawsForEachCallOfTheDial) {
    for (const SurfaceSetup& setup :
         {SurfaceSetup{"IPAGothic", CairoKeying::none}, SurfaceSetup{"IPAGothic", CairoKeying::hardEdges},
          SurfaceSetup{"Noto Sans CJK JP", CairoKeying::none}, SurfaceSetup{"Noto Sans CJK JP", CairoKeying::hardEdges},
          SurfaceSetup{"Noto Sans CJK JP", CairoKeying::alpha}}) {
        for (const int dpi : {96, 192}) {
            SCOPED_TRACE(std::string(setup.face) + " at " + std::to_string(dpi) + " DPI, keying " +
                         std::to_string(static_cast<int>(setup.keying)));
            CairoGdi gdi(CairoSystemFont{setup.face, scaledToDpi(systemFontHeight, dpi)}, setup.keying);
            const DialLayout layout = testing::dialLayoutAt(dpi);
            const bool alpha = setup.keying == CairoKeying::alpha;
            CairoPicture picture(gdi, layout.clientWidth, layout.clientHeight,
                                 alpha ? CAIRO_FORMAT_ARGB32 : CAIRO_FORMAT_RGB24);
            const TextEdges edges = setup.keying == CairoKeying::hardEdges ? TextEdges::hard : TextEdges::smooth;
            const auto systemFont = [](GdiApi& g, int) { return CGdiObject(g); };
            // The day labels in the dial's face and, bold italic, in the system font's.
            for (const std::string& dayLabelFace : {std::string(), std::string(setup.face)}) {
                testing::CallChecker check(gdi, picture, dpi, testing::TextSetup{edges, systemFont, dayLabelFace});
                for (const testing::OperationRow& row : testing::operationRows(layout)) {
                    if (!dayLabelFace.empty() && row.what.rfind("day label", 0) != 0) continue;
                    EXPECT_TRUE(check.staysInBounds(row));
                }
                // The keyings change texts only (and white on ARGB32 is transparent).
                if (setup.keying != CairoKeying::none || !dayLabelFace.empty()) continue;
                for (const int radius : {layout.outerRadius, layout.innerRadius}) {
                    EXPECT_TRUE(check.circleShortcutHolds(radius));
                }
            }
        }
    }
}

}  // namespace
}  // namespace quorvenda
