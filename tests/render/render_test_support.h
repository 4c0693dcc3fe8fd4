#pragma once
// Shared helpers of the rendering tests: a scratch data folder, fixed
// snapshots, and the recorded calls as trace lines.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/calendar.h"
#include "core/data_file.h"
#include "render/recording_gdi.h"

namespace quorvenda::testing {

// A fresh directory for the two data files, removed at the end of the test.
class ScratchFolder {
public:
    ScratchFolder() {
        // A name no other folder has: create_directory says so by making it.
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            path_ = std::filesystem::temp_directory_path() / ("quorvenda-render-" + std::to_string(random()));
            std::error_code error;
            if (std::filesystem::create_directory(path_, error)) return;
        }
        ADD_FAILURE() << "cannot create a scratch folder";
    }
    ~ScratchFolder() { std::filesystem::remove_all(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // Lines joined with CR LF, written byte for byte (the test sources compile to Shift-JIS).
    void write(const char* fileName, const std::vector<std::string>& lines) const {
        std::ofstream out(path_ / fileName, std::ios::binary);
        for (const auto& line : lines) out << line << "\r\n";
    }
    DataFolder folder() const { return DataFolder{path_.string()}; }

private:
    std::filesystem::path path_;
};

// Six lines of one event slot.
inline std::vector<std::string> slotLines(const std::string& name, const std::string& dialFlag,
                                          const std::string& textFlag, const std::string& year,
                                          const std::string& month, const std::string& day) {
    return {name, dialFlag, textFlag, year, month, day};
}

inline CalendarSnapshot snapshotAt(int year, int month, int day, int hour = 12, int minute = 0, int second = 0) {
    return snapshotFromLocalTime(LocalTime{year, month, day, hour, minute, second, weekdayOf(year, month, day)});
}

// Trace lines of the calls made on `dc`, texts left in Shift-JIS.
inline std::vector<std::string> linesOn(const RecordingGdi& gdi, DcHandle dc) {
    std::vector<std::string> lines;
    for (const auto& call : gdi.calls()) {
        if (call.dc == dc) lines.push_back(traceLine(call));
    }
    return lines;
}

// What the calls on `dc` stroke, each with the pen it is stroked in, however
// the pens came to be selected: "Line 146 115 146 121 in Pen PS_SOLID 2 0x1E140A",
// "Ellipse 21 106 271 356 in Pen ...", "Arc ... in StockObject BLACK_PEN".
inline std::vector<std::string> strokesOn(const RecordingGdi& gdi, DcHandle dc) {
    std::vector<std::string> strokes;
    std::string position = "0 0";
    for (const auto& call : gdi.calls()) {
        if (call.dc != dc) continue;
        const std::string line = traceLine(call);
        const std::string arguments = line.substr(line.find(' ') + 1);
        if (call.call == GdiCall::moveTo) {
            position = arguments;
            continue;
        }
        std::string stroke;
        if (call.call == GdiCall::lineTo) {
            stroke = "Line " + position + ' ' + arguments;
            position = arguments;
        } else if (call.call == GdiCall::ellipse || call.call == GdiCall::arc) {
            stroke = line;
        } else {
            continue;
        }
        RecordedCall pen;  // the pen, described as a selection of it would be
        pen.call = GdiCall::selectObject;
        pen.object = call.object;
        if (const ObjectInfo* info = gdi.objectInfo(call.object)) pen.objectInfo = *info;
        strokes.push_back(stroke + " in " + traceLine(pen).substr(std::string("Select").size()));
    }
    return strokes;
}

inline std::vector<std::string> allLines(const RecordingGdi& gdi) {
    std::vector<std::string> lines;
    for (const auto& call : gdi.calls()) lines.push_back(traceLine(call));
    return lines;
}

// True when `expected` occurs in `lines` in this order, other lines in between allowed.
inline ::testing::AssertionResult containsInOrder(const std::vector<std::string>& lines,
                                                  const std::vector<std::string>& expected) {
    std::size_t next = 0;
    for (const auto& line : lines) {
        if (next < expected.size() && line == expected[next]) ++next;
    }
    if (next == expected.size()) return ::testing::AssertionSuccess();
    auto failure = ::testing::AssertionFailure() << "missing, in order: \"" << expected[next] << "\"\nin:\n";
    for (const auto& line : lines) failure << "  " << line << "\n";
    return failure;
}

inline int countOf(const std::vector<std::string>& lines, const std::string& line) {
    int n = 0;
    for (const auto& l : lines) n += l == line;
    return n;
}

// Nothing left alive, nothing misused.
inline ::testing::AssertionResult cleanSurface(const RecordingGdi& gdi, int expectedLiveObjects = 0) {
    if (!gdi.faults().empty()) return ::testing::AssertionFailure() << "first fault: " << gdi.faults().front();
    if (gdi.liveObjectCount() != expectedLiveObjects) {
        return ::testing::AssertionFailure() << gdi.liveObjectCount() << " objects still alive";
    }
    if (gdi.liveMemoryDcCount() != 0) {
        return ::testing::AssertionFailure() << gdi.liveMemoryDcCount() << " memory device contexts still alive";
    }
    return ::testing::AssertionSuccess();
}

}  // namespace quorvenda::testing
