/* turnover-times PROCESS SECONDS [X Y RADIUS]: watches the client area of the
   process's main window on the screen for SECONDS and prints, for each
   change of its pixels, "SECOND MS": the system clock's whole second and the
   milliseconds past it when the change was seen. For a clock whose only
   moving parts are its time text and second hand, MS is how late the shown
   second turned over. The area is copied from the screen about every
   millisecond. With the dial's centre (X, Y) in the client area and a
   RADIUS that only the second hand reaches among the dark hands, each line
   also says which second the hand shows: the one of the 60 points at that
   radius (0 at 12 o'clock, clockwise) with a dark pixel in the 3 x 3 square
   round it, or -1 where not exactly one has. */
#include "target_process.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { pollMs = 1, fileTimeUnitsPerMs = 10000, msPerSecond = 1000, secondsPerTurn = 60, darkest = 0x60 };

typedef struct {
    int x, y, radius;
} Dial;

/* Whether the 32-bit BGRA pixel at (x, y) is dark in every channel. */
static int isDark(const unsigned char* bits, LONG width, LONG height, int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return 0;
    const unsigned char* p = bits + ((size_t)y * (size_t)width + (size_t)x) * 4;
    return p[0] < darkest && p[1] < darkest && p[2] < darkest;
}

static int shownSecond(const unsigned char* bits, LONG width, LONG height, const Dial* dial) {
    const double pi = 3.14159265358979323846;
    int shown = -1;
    for (int second = 0; second < secondsPerTurn; ++second) {
        const double angle = 2 * pi * second / secondsPerTurn;
        const int x = dial->x + (int)lround(dial->radius * sin(angle));
        const int y = dial->y - (int)lround(dial->radius * cos(angle));
        int dark = 0;
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) dark |= isDark(bits, width, height, x + dx, y + dy);
        }
        if (!dark) continue;
        if (shown != -1) return -1;
        shown = second;
    }
    return shown;
}

static ULONGLONG systemMs(void) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER units = {.LowPart = now.dwLowDateTime, .HighPart = now.dwHighDateTime};
    return units.QuadPart / fileTimeUnitsPerMs;
}

/* A 32-bit top-down DIB section the size of the client area, selected into a memory DC. */
typedef struct {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ previous;
    void* bits;
} Capture;

static BOOL makeCapture(Capture* capture, HDC screen, LONG width, LONG height) {
    BITMAPINFO info = {0};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    capture->dc = CreateCompatibleDC(screen);
    capture->bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &capture->bits, NULL, 0);
    if (!capture->dc || !capture->bitmap) return FALSE;
    capture->previous = SelectObject(capture->dc, capture->bitmap);
    return TRUE;
}

static void freeCapture(Capture* capture) {
    if (capture->dc && capture->previous) SelectObject(capture->dc, capture->previous);
    if (capture->bitmap) DeleteObject(capture->bitmap);
    if (capture->dc) DeleteDC(capture->dc);
}

int main(int argc, char** argv) {
    if (argc != 3 && argc != 6) {
        fprintf(stderr, "usage: turnover-times PID|NAME.exe SECONDS [X Y RADIUS]\n");
        return 2;
    }
    const Dial dial = {argc == 6 ? atoi(argv[3]) : 0, argc == 6 ? atoi(argv[4]) : 0, argc == 6 ? atoi(argv[5]) : 0};
    HWND window = findTargetWindow(argv[1]);
    if (!window) return reportNoTarget("window", argv[1]);
    POINT origin;
    LONG width, height;
    if (!clientAreaOnScreen(window, &origin, &width, &height)) return reportNoTarget("client area", argv[1]);
    const size_t bytes = (size_t)width * (size_t)height * 4;

    HDC screen = GetDC(NULL);
    Capture capture = {0};
    char* last = malloc(bytes);
    int status = 1;
    if (screen && last && makeCapture(&capture, screen, width, height) &&
        BitBlt(capture.dc, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY)) {
        GdiFlush();
        memcpy(last, capture.bits, bytes);
        const ULONGLONG end = GetTickCount64() + strtoul(argv[2], NULL, 10) * (ULONGLONG)msPerSecond;
        while (GetTickCount64() < end && IsWindow(window)) {
            Sleep(pollMs);
            if (!BitBlt(capture.dc, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY)) break;
            GdiFlush();
            const ULONGLONG seen = systemMs();
            if (memcmp(last, capture.bits, bytes) == 0) continue;
            memcpy(last, capture.bits, bytes);
            if (argc == 6) {
                printf("%llu %llu %d\n", seen / msPerSecond, seen % msPerSecond,
                       shownSecond(capture.bits, width, height, &dial));
            } else {
                printf("%llu %llu\n", seen / msPerSecond, seen % msPerSecond);
            }
            fflush(stdout);
        }
        status = 0;
    } else {
        fprintf(stderr, "turnover-times: cannot copy the screen\n");
    }
    free(last);
    freeCapture(&capture);
    if (screen) ReleaseDC(NULL, screen);
    return status;
}
