// The owning wrappers, the selection scope and the off-screen device context,
// checked against the books the recording surface keeps.
#include <gtest/gtest.h>

#include <utility>

#include "render/bitmap_dc.h"
#include "render/gdi_objects.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::cleanSurface;
using testing::countOf;
using testing::linesOn;

TEST(GdiObjects, EachObjectIsDeletedExactlyOnceWhetherMovedOrNot) {
    RecordingGdi gdi;
    {
        CPen kept(gdi, PenStyle::solid, 2, black);
        CPen moved(std::move(kept));
        EXPECT_EQ(kept.GetSafeHandle(), noObject);
        CPen assigned(gdi, PenStyle::dot, 1, white);
        assigned = std::move(moved);  // releases the dotted pen now
        EXPECT_EQ(gdi.liveObjectCount(), 1);
        CFont font(gdi, FontSpec{});
        CBitmap bitmap(gdi);
        bitmap.CreateCompatibleBitmap(gdi.openPaintDc(), 4, 4);
        bitmap.CreateCompatibleBitmap(gdi.openPaintDc(), 8, 8);  // replaces and releases the first
        EXPECT_EQ(gdi.liveObjectCount(), 3);
    }
    EXPECT_TRUE(cleanSurface(gdi));
}

TEST(GdiObjects, AFailedCreationLeavesNothingToDelete) {
    RecordingGdi gdi;
    gdi.fontFailures = 1;
    { CFont font(gdi, FontSpec{}); }
    EXPECT_EQ(countOf(testing::allLines(gdi), "DeleteObject NULL"), 0);
    EXPECT_TRUE(cleanSurface(gdi));
}

TEST(GdiObjects, CdcDeletesTheDeviceContextItHoldsButNotOneDetachedOrBorrowed) {
    RecordingGdi gdi;
    const DcHandle paintDc = gdi.openPaintDc();
    { BorrowedDC paint(gdi, paintDc); }
    DcHandle detached = noDc;
    {
        CDC owned(gdi);
        ASSERT_TRUE(owned.CreateCompatibleDC(noDc));
        CDC other(gdi);
        other.CreateCompatibleDC(noDc);
        detached = other.Detach();
    }
    EXPECT_EQ(gdi.liveMemoryDcCount(), 1);
    EXPECT_TRUE(gdi.deleteDC(detached));
    EXPECT_TRUE(cleanSurface(gdi)) << "the paint device context is not the drawing code's to delete";
}

TEST(GdiObjects, ScopedSelectPutsBackWhatWasThereBeforeTheFirstSelection) {
    RecordingGdi gdi;
    CPen first(gdi, PenStyle::solid, 3, black);
    CPen second(gdi, PenStyle::dot, 1, black);
    CFont font(gdi, FontSpec{});
    CDC dc(gdi);
    dc.CreateCompatibleDC(noDc);
    const GdiObject originalPen = gdi.selected(dc.GetSafeHdc(), ObjectKind::pen);
    const GdiObject originalFont = gdi.selected(dc.GetSafeHdc(), ObjectKind::font);
    {
        ScopedSelect pens(dc);
        pens.select(first);
        pens.select(second);
        pens.select(first);
        ScopedSelect fonts(dc, font);
        EXPECT_EQ(gdi.selected(dc.GetSafeHdc(), ObjectKind::pen), first.GetSafeHandle());
        EXPECT_EQ(gdi.selected(dc.GetSafeHdc(), ObjectKind::font), font.GetSafeHandle());
    }
    EXPECT_EQ(gdi.selected(dc.GetSafeHdc(), ObjectKind::pen), originalPen);
    EXPECT_EQ(gdi.selected(dc.GetSafeHdc(), ObjectKind::font), originalFont);
}

TEST(GdiObjects, ScopedSelectSkipsAFailedFirstSelection) {
    RecordingGdi gdi;
    gdi.fontFailures = 1;
    CFont missing(gdi, FontSpec{});
    CFont font(gdi, FontSpec{});
    CDC dc(gdi);
    dc.CreateCompatibleDC(noDc);
    const GdiObject originalFont = gdi.selected(dc.GetSafeHdc(), ObjectKind::font);
    {
        ScopedSelect fonts(dc, missing);
        fonts.select(font);
    }
    EXPECT_EQ(gdi.selected(dc.GetSafeHdc(), ObjectKind::font), originalFont);
}

// The recording surface is what the other tests trust to catch misuse.
TEST(RecordingGdi, CatchesDoubleDeletesDeletingWhileSelectedAndUseOfDeadDeviceContexts) {
    struct Case {
        const char* what;
        void (*misuse)(RecordingGdi&);
    };
    const Case cases[] = {
        {"double delete",
         [](RecordingGdi& g) {
             const GdiObject pen = g.createPen(PenStyle::solid, 1, black);
             g.deleteObject(pen);
             g.deleteObject(pen);
         }},
        {"delete while selected",
         [](RecordingGdi& g) {
             const DcHandle dc = g.createCompatibleDC(noDc);
             const GdiObject pen = g.createPen(PenStyle::solid, 1, black);
             g.selectObject(dc, pen);
             g.deleteObject(pen);
         }},
        {"draw after DeleteDC",
         [](RecordingGdi& g) {
             const DcHandle dc = g.createCompatibleDC(noDc);
             g.deleteDC(dc);
             g.lineTo(dc, 1, 1);
         }},
        {"delete the paint device context", [](RecordingGdi& g) { g.deleteDC(g.openPaintDc()); }},
        {"delete a stock object", [](RecordingGdi& g) { g.deleteObject(g.getStockObject(StockObject::blackPen)); }},
        {"select a deleted object",
         [](RecordingGdi& g) {
             const GdiObject pen = g.createPen(PenStyle::solid, 1, black);
             g.deleteObject(pen);
             g.selectObject(g.createCompatibleDC(noDc), pen);
         }},
        {"one bitmap in two device contexts",
         [](RecordingGdi& g) {
             const GdiObject bitmap = g.createMonochromeBitmap(1, 1);
             g.selectObject(g.createCompatibleDC(noDc), bitmap);
             g.selectObject(g.createCompatibleDC(noDc), bitmap);
         }},
    };
    for (const auto& c : cases) {
        RecordingGdi gdi;
        c.misuse(gdi);
        EXPECT_EQ(gdi.faults().size(), 1u) << c.what;
    }
}

TEST(BitmapDC, SelectsTheBitmapAndOnDestructionPutsTheOldOneBackBeforeDeletingTheDeviceContext) {
    RecordingGdi gdi;
    const DcHandle paintDc = gdi.openPaintDc();
    CBitmap bitmap(gdi);
    bitmap.CreateCompatibleBitmap(paintDc, 30, 20);
    DcHandle dc = noDc;
    {
        BitmapDC offscreen(gdi, bitmap.GetSafeHandle());
        dc = offscreen.GetSafeHdc();
        EXPECT_EQ(gdi.selected(dc, ObjectKind::bitmap), bitmap.GetSafeHandle());
    }
    EXPECT_EQ(linesOn(gdi, dc), (std::vector<std::string>{"CreateCompatibleDC NULL", "SelectBitmap 30 20",
                                                          "SelectStockObject DEFAULT_BITMAP", "DeleteDC"}));
    EXPECT_EQ(countOf(testing::allLines(gdi), "Sleep 0"), 1);
    EXPECT_EQ(gdi.liveObjectCount(), 1) << "the bitmap is its owner's to delete";
    bitmap.DeleteObject();
    EXPECT_TRUE(cleanSurface(gdi));
}

// A failed off-screen bitmap leaves the device context a bitmap of its own,
// made and deleted within its life, so nothing outlives the repaint; a
// failure of that one too leaves the device context's own.
TEST(BitmapDC, WithoutABitmapMakesAndDeletesA1x1MonochromeBitmapOfItsOwn) {
    for (const int failures : {0, 1}) {
        SCOPED_TRACE(failures);
        RecordingGdi gdi;
        gdi.monochromeBitmapFailures = failures;
        {
            BitmapDC offscreen(gdi, noObject);
            const ObjectInfo* selected = gdi.objectInfo(gdi.selected(offscreen.GetSafeHdc(), ObjectKind::bitmap));
            ASSERT_NE(selected, nullptr);
            EXPECT_TRUE(selected->monochrome);
            EXPECT_EQ(selected->bitmapWidth, 1);
            EXPECT_EQ(selected->stockName == nullptr, failures == 0);
        }
        const std::vector<std::string> lines = testing::allLines(gdi);
        EXPECT_EQ(countOf(lines, failures == 0 ? "DeleteBitmap 1 1 monochrome" : "CreateBitmap 1 1 1 1 failed"), 1);
        EXPECT_TRUE(cleanSurface(gdi));
        EXPECT_TRUE(gdi.faults().empty());
    }
}

}  // namespace
}  // namespace quorvenda
