// The kept dial, drawn again only where it changed, against a whole repaint
// of the same inputs, pixel for pixel, second after second.
#include "render/cairo/dial_picture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "render/cairo/cairo_gdi.h"
#include "render_test_support.h"

namespace quorvenda {
namespace {

using testing::slotLines;
using testing::snapshotAt;
using Lines = std::vector<std::string>;

constexpr int dpi = 96;
constexpr int width = 292;
constexpr int height = 406;
constexpr int systemFontHeight = 16;

// One second of the sequence: the clock's reading, and what the files then hold.
struct Tick {
    enum class Edit { none, events, colours, removeEvents, removeColours };
    explicit Tick(CalendarSnapshot when, Edit fileEdit = Edit::none, Lines fileLines = {})
        : at(when), edit(fileEdit), lines(std::move(fileLines)) {}
    CalendarSnapshot at;
    Edit edit;
    Lines lines;
};

Lines events(const Lines& slot1, const Lines& slot2 = {}) {
    Lines lines = slot1;
    lines.insert(lines.end(), slot2.begin(), slot2.end());
    return lines;
}

const Lines meeting = slotLines("会議", "1", "1", "2007", "6", "15");
const Lines trip = slotLines("旅行", "1", "1", "2007", "7", "1");

std::vector<Tick> sequence() {
    using E = Tick::Edit;
    return {
        Tick{snapshotAt(2007, 6, 10, 12, 0, 0), E::events, events(meeting)},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 1)},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 2)},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 3), E::events, events(meeting, trip)},  // a countdown line appears
        Tick{snapshotAt(2007, 6, 10, 12, 0, 4), E::events,
             events(meeting, slotLines("長い旅行の名前がここに", "1", "1", "2007", "7", "1"))},  // it grows
        Tick{snapshotAt(2007, 6, 10, 12, 0, 5), E::events,
             events(meeting, slotLines("旅行", "1", "0", "2007", "7", "1"))},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 6), E::events, events(slotLines("会議", "1", "1", "2007", "6", "20"))},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 7), E::colours, {"255", "0", "0", "0", "100"}},  // red hands
        Tick{snapshotAt(2007, 6, 10, 12, 0, 8), E::removeEvents},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 9), E::events, events(meeting)},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 10), E::removeColours},
        Tick{snapshotAt(2007, 6, 10, 12, 0, 59)},
        Tick{snapshotAt(2007, 6, 10, 12, 1, 0)},  // a minute
        Tick{snapshotAt(2007, 6, 10, 12, 59, 59)},
        Tick{snapshotAt(2007, 6, 10, 13, 0, 0)},  // an hour
        Tick{snapshotAt(2007, 6, 11, 11, 59, 59)},
        Tick{snapshotAt(2007, 6, 11, 12, 0, 0)},  // noon
        Tick{snapshotAt(2007, 6, 11, 23, 59, 59)},
        Tick{snapshotAt(2007, 6, 12, 0, 0, 0)},  // midnight
        Tick{snapshotAt(2007, 6, 30, 23, 59, 59)},
        Tick{snapshotAt(2007, 7, 1, 0, 0, 0)},  // the end of a month
        Tick{snapshotAt(2008, 2, 28, 23, 59, 59)},
        Tick{snapshotAt(2008, 2, 29, 0, 0, 0)},  // the end of February in a leap year
        Tick{snapshotAt(2008, 3, 1, 0, 0, 0)},
    };
}

void apply(const Tick& tick, const testing::ScratchFolder& folder) {
    const std::filesystem::path path(folder.folder().directory);
    switch (tick.edit) {
        case Tick::Edit::none: break;
        case Tick::Edit::events: folder.write(eventListFileName, tick.lines); break;
        case Tick::Edit::colours: folder.write(colourSettingsFileName, tick.lines); break;
        case Tick::Edit::removeEvents: std::filesystem::remove(path / eventListFileName); break;
        case Tick::Edit::removeColours: std::filesystem::remove(path / colourSettingsFileName); break;
    }
}

// The image's pixels as a whole repaint leaves them; RGB24's unused byte cleared.
std::vector<std::uint32_t> pixelsOf(cairo_surface_t* image) {
    cairo_surface_flush(image);
    const bool alpha = cairo_image_surface_get_format(image) == CAIRO_FORMAT_ARGB32;
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < height; ++y) {
        const auto* row = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(image) +
                                                                 y * cairo_image_surface_get_stride(image));
        for (int x = 0; x < width; ++x) pixels.push_back(alpha ? row[x] : row[x] & 0x00FFFFFFu);
    }
    return pixels;
}

long long areaOf(const std::vector<Rect>& areas) {
    long long area = 0;
    for (const Rect& a : areas) area += static_cast<long long>(a.right - a.left) * (a.bottom - a.top);
    return area;
}

TEST(DialPicture, DrawsAgainOnlyWhatChangedAndShowsWhatAWholeRepaintShows) {
    struct KeyingRow {
        CairoKeying keying;
        cairo_format_t format;
    };
    for (const KeyingRow row :
         {KeyingRow{CairoKeying::none, CAIRO_FORMAT_RGB24}, KeyingRow{CairoKeying::hardEdges, CAIRO_FORMAT_RGB24},
          KeyingRow{CairoKeying::alpha, CAIRO_FORMAT_ARGB32}}) {
        SCOPED_TRACE(static_cast<int>(row.keying));
        testing::ScratchFolder folder;
        CairoGdi gdi(CairoSystemFont{"IPAGothic", systemFontHeight}, row.keying);
        DialPicture picture(gdi, row.format);
        EventState keptState;
        EventState wholeState;
        CalendarSnapshot now;
        RepaintSources sources(dpi);
        sources.takeSnapshot = [&now] { return now; };
        sources.folder = folder.folder();
        int index = 0;
        for (const Tick& tick : sequence()) {
            SCOPED_TRACE("tick " + std::to_string(index++));
            apply(tick, folder);
            now = tick.at;
            const std::vector<Rect> changed = picture.repaint(width, height, keptState, sources);

            const CairoSurfacePtr whole(cairo_image_surface_create(row.format, width, height));
            const DcHandle dc = gdi.createSurfaceDC(whole.get());
            paintDial(gdi, dc, width, height, wholeState, sources);
            gdi.deleteDC(dc);
            ASSERT_NE(picture.image(), nullptr);
            EXPECT_TRUE(pixelsOf(picture.image()) == pixelsOf(whole.get())) << "pixels differ from a whole repaint";
            if (index == 3) {
                // A tick that moves only the second hand (and rewrites the time) draws a small part of the dial.
                EXPECT_GT(areaOf(changed), 0);
                EXPECT_LT(areaOf(changed), width * height / 4) << "drawn again: " << areaOf(changed);
            }
        }
        EXPECT_TRUE(picture.repaint(width, height, keptState, sources).empty()) << "an unchanged second draws nothing";
    }
}

}  // namespace
}  // namespace quorvenda
