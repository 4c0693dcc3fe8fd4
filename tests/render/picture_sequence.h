#pragma once
// The seconds a kept picture is tested over, on every surface: a minute, an
// hour, noon, midnight, a month's end, 29 February, lines appearing, growing
// and going, a mark moving, red hands, files missing and back.
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "render_test_support.h"

namespace quorvenda::testing {

// One second of the sequence: the clock's reading, and what the files then hold.
struct PictureTick {
    using Lines = std::vector<std::string>;
    enum class Edit { none, events, colours, removeEvents, removeColours };
    explicit PictureTick(CalendarSnapshot when, Edit fileEdit = Edit::none, Lines fileLines = {})
        : at(when), edit(fileEdit), lines(std::move(fileLines)) {}
    CalendarSnapshot at;
    Edit edit;
    Lines lines;
};

inline std::vector<PictureTick> pictureSequence() {
    using Lines = PictureTick::Lines;
    using E = PictureTick::Edit;
    const auto events = [](const Lines& slot1, const Lines& slot2 = {}) {
        Lines lines = slot1;
        lines.insert(lines.end(), slot2.begin(), slot2.end());
        return lines;
    };
    const Lines meeting = slotLines("会議", "1", "1", "2007", "6", "15");
    const Lines trip = slotLines("旅行", "1", "1", "2007", "7", "1");
    return {
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 0), E::events, events(meeting)},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 1)},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 2)},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 3), E::events, events(meeting, trip)},  // a countdown line appears
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 4), E::events,
                    events(meeting, slotLines("長い旅行の名前がここに", "1", "1", "2007", "7", "1"))},  // it grows
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 5), E::events,
                    events(meeting, slotLines("旅行", "1", "0", "2007", "7", "1"))},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 6), E::events,
                    events(slotLines("会議", "1", "1", "2007", "6", "20"))},                        // the mark moves
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 7), E::colours, {"255", "0", "0", "0", "100"}},  // red hands
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 8), E::removeEvents},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 9), E::events, events(meeting)},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 10), E::removeColours},
        PictureTick{snapshotAt(2007, 6, 10, 12, 0, 59)},
        PictureTick{snapshotAt(2007, 6, 10, 12, 1, 0)},  // a minute
        PictureTick{snapshotAt(2007, 6, 10, 12, 59, 59)},
        PictureTick{snapshotAt(2007, 6, 10, 13, 0, 0)},  // an hour
        PictureTick{snapshotAt(2007, 6, 11, 11, 59, 59)},
        PictureTick{snapshotAt(2007, 6, 11, 12, 0, 0)},  // noon
        PictureTick{snapshotAt(2007, 6, 11, 23, 59, 59)},
        PictureTick{snapshotAt(2007, 6, 12, 0, 0, 0)},  // midnight
        PictureTick{snapshotAt(2007, 6, 30, 23, 59, 59)},
        PictureTick{snapshotAt(2007, 7, 1, 0, 0, 0)},  // the end of a month
        PictureTick{snapshotAt(2008, 2, 28, 23, 59, 59)},
        PictureTick{snapshotAt(2008, 2, 29, 0, 0, 0)},  // the end of February in a leap year
        PictureTick{snapshotAt(2008, 3, 1, 0, 0, 0)},
    };
}

inline void apply(const PictureTick& tick, const ScratchFolder& folder) {
    const std::filesystem::path path(folder.folder().directory);
    switch (tick.edit) {
        case PictureTick::Edit::none: break;
        case PictureTick::Edit::events: folder.write(eventListFileName, tick.lines); break;
        case PictureTick::Edit::colours: folder.write(colourSettingsFileName, tick.lines); break;
        case PictureTick::Edit::removeEvents: std::filesystem::remove(path / eventListFileName); break;
        case PictureTick::Edit::removeColours: std::filesystem::remove(path / colourSettingsFileName); break;
    }
}

// The area of `areas`, overlaps counted twice.
inline long long areaOf(const std::vector<Rect>& areas) {
    long long area = 0;
    for (const Rect& a : areas) area += static_cast<long long>(a.right - a.left) * (a.bottom - a.top);
    return area;
}

}  // namespace quorvenda::testing
