#pragma once
// The DPIs the clock is drawn and placed at. The per-monitor functions came
// after Windows 8's and 10's first releases: they are looked up at run time
// (user32's already loaded, shcore's from System32), so that the program
// imports none of them and still starts where they are missing, and the
// classic device-context query stands in for them there. Every answer goes
// through usableDpi: a failed or absurd one counts as 96.
#include <windows.h>

namespace quorvenda {

// The DPI of the monitor `window` is on: GetDpiForWindow, else
// GetDpiForMonitor of the window's monitor, else the system DPI. Asked once
// the window exists; WM_DPICHANGED carries every change after that.
int windowDpi(HWND window);

// The DPI of the monitor that holds `point` (the nearest one if none does):
// GetDpiForMonitor, else the system DPI.
int monitorDpiAt(POINT point);

// The DPI the system made its stock fonts for, and that a window gets on the
// primary monitor where no other DPI is known.
int systemDpi();

}  // namespace quorvenda
