#pragma once
// The seven event slots of the event list file, six lines each.
#include <array>
#include <string>

#include "core/data_file.h"

namespace quorvenda {

inline constexpr int slotCount = 7;
inline constexpr int linesPerSlot = 6;

struct EventSlot {
    std::string name;
    int dialFlag = 0;
    int textFlag = 0;
    int year = 0;
    int month = 0;
    int day = 0;
    std::string monthText;
    std::string dayText;

    bool showsOnDial() const { return dialFlag == 1; }
    bool showsText() const { return textFlag == 1; }
};

using SlotLines = std::array<std::string, linesPerSlot>;
using EventSlots = std::array<EventSlot, slotCount>;

// Slot 1's six line texts, kept for the whole run and shared by the repaint and
// the title update: a read that fails leaves the last successful read in place.
struct Slot1LineStore {
    SlotLines lines;
};

EventSlot slotFromLines(const SlotLines& lines);

// Reads all 42 lines; slots 2 to 7 come out empty when the file cannot be opened.
EventSlots readEventList(Slot1LineStore& slot1Store, const DataFolder& folder = {});
// Reads lines 1 to 6 into the store (unchanged when the file cannot be opened) and converts them.
EventSlot readSlot1(Slot1LineStore& slot1Store, const DataFolder& folder = {});

}  // namespace quorvenda
