/* client-rect PROCESS: prints "x y width height" of the client area of the
   process's main window in screen coordinates, which under Wine without a
   window manager are the X root window's, so screenshots can be cropped to
   exactly what the program paints. */
#include "target_process.h"

#include <stdio.h>

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: client-rect PID|NAME.exe\n");
        return 2;
    }
    HWND window = findTargetWindow(argv[1]);
    if (!window) return reportNoTarget("window", argv[1]);
    POINT origin;
    LONG width, height;
    if (!clientAreaOnScreen(window, &origin, &width, &height)) return reportNoTarget("client area", argv[1]);
    printf("%ld %ld %ld %ld\n", origin.x, origin.y, width, height);
    return 0;
}
