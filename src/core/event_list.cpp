#include "core/event_list.h"

#include "core/number_value.h"

namespace quorvenda {

EventSlot slotFromLines(const SlotLines& lines) {
    EventSlot slot;
    slot.name = lines[0];
    slot.dialFlag = numberValue(lines[1]);
    slot.textFlag = numberValue(lines[2]);
    slot.year = numberValue(lines[3]);
    slot.month = numberValue(lines[4]);
    slot.day = numberValue(lines[5]);
    slot.monthText = lines[4];
    slot.dayText = lines[5];
    return slot;
}

EventSlots readEventList(Slot1LineStore& slot1Store, const DataFolder& folder) {
    std::array<SlotLines, slotCount> lines;  // strings start empty
    if (auto read = readFirstLines(folder.pathOf(eventListFileName), slotCount * linesPerSlot)) {
        for (int i = 0; i < slotCount * linesPerSlot; ++i) {
            lines[static_cast<std::size_t>(i / linesPerSlot)][static_cast<std::size_t>(i % linesPerSlot)] =
                std::move((*read)[static_cast<std::size_t>(i)]);
        }
        slot1Store.lines = std::move(lines[0]);
    }
    EventSlots slots;
    slots[0] = slotFromLines(slot1Store.lines);
    for (std::size_t s = 1; s < slotCount; ++s) slots[s] = slotFromLines(lines[s]);
    return slots;
}

EventSlot readSlot1(Slot1LineStore& slot1Store, const DataFolder& folder) {
    if (auto read = readFirstLines(folder.pathOf(eventListFileName), linesPerSlot)) {
        for (std::size_t i = 0; i < linesPerSlot; ++i) slot1Store.lines[i] = std::move((*read)[i]);
    }
    return slotFromLines(slot1Store.lines);
}

}  // namespace quorvenda
