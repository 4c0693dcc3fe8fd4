// The clock's timer tick for quorvenda-drive, on a clock the drive sets. The
// drive is linked with the C runtime's _time64 import wrapped
// (-Wl,--wrap=__imp__time64 in perf/CMakeLists.txt: the header's inline
// time() calls it through that import), so the calendar the repaint reads
// shows the drive's second; timers and the drive's timing keep the real clock.
#include <ctime>

#include "app/win32/main_window.h"
#include "perf/drive/win32/window_tick.h"

namespace {

// 2007-06-10 03:00:00 UTC: far from a minute's end for the first 59 ticks.
std::time_t fakedSecond = 1181444400;

std::time_t fakedTime64(std::time_t* out) {
    if (out != nullptr) *out = fakedSecond;
    return fakedSecond;
}

}  // namespace

// The linker sends every call through the import to this pointer instead.
extern "C" {
// NOLINTNEXTLINE(bugprone-reserved-identifier): the name the linker's --wrap gives
std::time_t (*__wrap___imp__time64)(std::time_t*) = &fakedTime64;
}

namespace quorvenda {

class Win32PaintDrive {
public:
    static void tick(MainWindow& window, bool whole) {
        ++fakedSecond;
        if (whole && window.picture_) window.picture_->forget();
        window.repaintPicture();
    }
};

namespace drive {

WindowTick windowTick(CWnd& window) {
    auto* clock = dynamic_cast<MainWindow*>(&window);
    if (clock == nullptr) return {};
    return [clock](bool whole) { Win32PaintDrive::tick(*clock, whole); };
}

}  // namespace drive
}  // namespace quorvenda
