// An arbitrary event list file, read as the repaint reads it, with every slot's
// countdown and countdown line computed for an arbitrary date.
#include "core/countdown.h"
#include "core/event_list.h"
#include "fuzz_folder.h"

using namespace quorvenda;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::int32_t year = fuzzing::takeInt(data, size);
    const std::int32_t month = fuzzing::takeInt(data, size);
    const std::int32_t day = fuzzing::takeInt(data, size);
    fuzzing::writeFile(eventListFileName, data, size);

    static Slot1LineStore store;  // lives across inputs, as it lives across repaints
    const EventSlots slots = readEventList(store, fuzzing::scratchFolder());
    const CalendarSnapshot today = snapshotFromLocalTime(LocalTime{year, month, day, 0, 0, 0, 1});
    for (const EventSlot& slot : slots) {
        const Countdown c = computeCountdown(slot, today);
        if (formatCountdownText(slot, c).size() < slot.name.size()) __builtin_trap();
    }
    (void)readSlot1(store, fuzzing::scratchFolder());
    return 0;
}
