/* Finds the process a helper acts on, named on its command line either by its
   decimal process id or by its executable's file name (quorvenda.exe), and
   that process's visible top-level window. */
#ifndef E2E_TARGET_PROCESS_H
#define E2E_TARGET_PROCESS_H

#include <windows.h>

/* The process id named by target (a number, or an .exe name matched without
   regard to case); 0 when there is no such process. */
DWORD findTargetProcess(const char* target);

/* The first visible top-level window owned by the process; NULL if none. */
HWND findProcessWindow(DWORD processId);

/* The window of the process named by target; NULL if there is none. */
HWND findTargetWindow(const char* target);

/* The window's client area in screen coordinates: origin and size. FALSE
   when the window has gone. */
BOOL clientAreaOnScreen(HWND window, POINT* origin, LONG* width, LONG* height);

/* Prints why and returns the exit code every helper uses for a bad target. */
int reportNoTarget(const char* what, const char* target);

#endif
