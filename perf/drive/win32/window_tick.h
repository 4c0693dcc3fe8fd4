#pragma once
// One tick of a main window's own repaint timer, which each drive program
// gives for the window it stands for: the clock's (clock_tick.cpp) sets its
// faked clock one second on and has the window draw and invalidate what
// changed; the baselines have no such tick (an empty function).
#include "app/framework/win32/wnd.h"
#include "perf/drive/win32/paint_driver.h"

namespace quorvenda::drive {

WindowTick windowTick(CWnd& window);

}  // namespace quorvenda::drive
