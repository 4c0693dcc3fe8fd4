// The rules a selection follows, the same on every surface that keeps its
// own books of device contexts: the Cairo surface, the kept picture's
// recorder and the recording surface.
#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "render/cairo/cairo_gdi.h"
#include "render/display_list_recorder.h"
#include "render/recording_gdi.h"

namespace quorvenda {
namespace {

TEST(DeviceContextRules, ABitmapSitsInOneDeviceContextAndANewOneHoldsItsOwn) {
    CairoGdi cairo(CairoSystemFont{"IPAGothic", 16});
    DisplayListGdi recorder(cairo);
    RecordingGdi recording;
    const struct {
        const char* surface;
        GdiApi& gdi;
    } rows[] = {{"Cairo", cairo}, {"recorder", recorder}, {"recording", recording}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.surface);
        GdiApi& gdi = row.gdi;
        const DcHandle first = gdi.createCompatibleDC(noDc);
        const DcHandle second = gdi.createCompatibleDC(noDc);
        const GdiObject bitmap = gdi.createMonochromeBitmap(4, 4);
        const GdiObject own = gdi.selectObject(first, bitmap);
        EXPECT_NE(own, noObject) << "a new memory device context holds a bitmap of its own";
        EXPECT_EQ(gdi.selectObject(second, bitmap), noObject) << "selected into a second device context";
        EXPECT_FALSE(gdi.deleteObject(bitmap)) << "deleted while selected";
        EXPECT_EQ(gdi.selectObject(first, own), bitmap);
        EXPECT_EQ(gdi.selectObject(second, bitmap), own) << "free again once put back";
        EXPECT_EQ(gdi.selectObject(second, own), bitmap) << "the own bitmap may sit in several at once";
        EXPECT_TRUE(gdi.deleteObject(bitmap));
        EXPECT_TRUE(gdi.deleteDC(second));
        EXPECT_TRUE(gdi.deleteDC(first));
    }
    EXPECT_EQ(recording.faults().size(), 2u) << "the second selection and the delete are misuses";
}

}  // namespace
}  // namespace quorvenda
