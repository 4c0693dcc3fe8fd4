#pragma once
// The DPI the clock draws at. The per-monitor functions came after Windows
// 10's first release: they are looked up in user32 at run time, so that the
// program imports none of them and still starts where they are missing, and
// the classic device-context query stands in for them there. Every answer
// goes through usableDpi: a failed or absurd one counts as 96.
#include <windows.h>

namespace quorvenda {

// The DPI of the monitor `window` is on, asked afresh at each call.
int windowDpi(HWND window);

// The DPI the system made its stock fonts for, and that a window gets on the
// primary monitor.
int systemDpi();

}  // namespace quorvenda
