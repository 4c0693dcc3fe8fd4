/* repaint-storm PROCESS COUNT: makes another process's main window repaint
   COUNT times as fast as it can, by invalidating it and forcing the paint
   through at once (RedrawWindow with RDW_UPDATENOW waits for the WM_PAINT it
   sends). Used to run thousands of repaints in seconds for the leak test. */
#include "target_process.h"

#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: repaint-storm PID|NAME.exe COUNT\n");
        return 2;
    }
    HWND window = findTargetWindow(argv[1]);
    if (!window) return reportNoTarget("window", argv[1]);
    long count = strtol(argv[2], NULL, 10);
    long done = 0;
    for (; done < count && IsWindow(window); ++done) RedrawWindow(window, NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    printf("%ld\n", done);
    return done == count ? 0 : 1;
}
