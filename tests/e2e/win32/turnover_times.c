/* turnover-times PROCESS SECONDS: watches the client area of the process's
   main window on the screen for SECONDS and prints, for each change of its
   pixels, "SECOND MS": the system clock's whole second and the milliseconds
   past it when the change was seen. For a clock whose only moving parts are
   its time text and second hand, MS is how late the shown second turned
   over. The area is copied from the screen about every millisecond. */
#include "target_process.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

enum { pollMs = 1, fileTimeUnitsPerMs = 10000, msPerSecond = 1000 };

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
    if (argc != 3) {
        fprintf(stderr, "usage: turnover-times PID|NAME.exe SECONDS\n");
        return 2;
    }
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
            printf("%llu %llu\n", seen / msPerSecond, seen % msPerSecond);
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
