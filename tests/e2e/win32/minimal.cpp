/* The smallest honest clock-shaped window: every second its timer invalidates
   the window, and WM_PAINT fills an off-screen bitmap white and copies it onto
   the client area, the same create-draw-copy-release cycle a real dial runs.
   It proves the end-to-end harness and is the baseline for cost comparisons.

   Built a second time with E2E_LEAK_PEN_PER_PAINT as e2e-leaky.exe, which
   leaks one pen per paint, so the harness can show that it sees GDI leaks.

   E2E_MINIMAL_TITLE in the environment sets the window title. It opens where
   the clock opens, with the clock's size: C++ only to share that with it. */
#include <windows.h>
#include <stdlib.h>

#include "app/main_window_creation.h"

enum { repaintTimerId = 1, repaintPeriodMs = 1000 };

static const char className[] = "E2eMinimalWindow";
static const char defaultTitle[] = "e2e-minimal";

/* Called for every WM_PAINT: white off-screen bitmap, one copy, all released. */
static LRESULT onPaint(HWND hwnd, WPARAM wp, LPARAM lp) {
    (void)wp;
    (void)lp;
    PAINTSTRUCT ps;
    HDC paintDc = BeginPaint(hwnd, &ps);
    RECT client;
    GetClientRect(hwnd, &client);
    HBITMAP bitmap = CreateCompatibleBitmap(paintDc, client.right, client.bottom);
    HDC memoryDc = CreateCompatibleDC(NULL);
    HGDIOBJ oldBitmap = SelectObject(memoryDc, bitmap);
    SetBkColor(memoryDc, RGB(255, 255, 255));
    ExtTextOutA(memoryDc, 0, 0, ETO_OPAQUE, &client, NULL, 0, NULL);
#ifdef E2E_LEAK_PEN_PER_PAINT
    CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
#endif
    BitBlt(paintDc, 0, 0, client.right, client.bottom, memoryDc, 0, 0, SRCCOPY);
    SelectObject(memoryDc, oldBitmap);
    DeleteDC(memoryDc);
    DeleteObject(bitmap);
    EndPaint(hwnd, &ps);
    return 0;
}

/* Called once inside CreateWindowExA: start the once-a-second repaint. */
static LRESULT onCreate(HWND hwnd, WPARAM wp, LPARAM lp) {
    (void)wp;
    (void)lp;
    SetTimer(hwnd, repaintTimerId, repaintPeriodMs, NULL);
    return 0;
}

/* Called on every timer tick: repaint the whole window. */
static LRESULT onTimer(HWND hwnd, WPARAM wp, LPARAM lp) {
    (void)wp;
    (void)lp;
    InvalidateRect(hwnd, NULL, FALSE);
    return 0;
}

/* Called when the copy covers everything anyway: skip the erase. */
static LRESULT onEraseBackground(HWND hwnd, WPARAM wp, LPARAM lp) {
    (void)hwnd;
    (void)wp;
    (void)lp;
    return 1;
}

/* Called when the window is gone: end the message loop. */
static LRESULT onDestroy(HWND hwnd, WPARAM wp, LPARAM lp) {
    (void)hwnd;
    (void)wp;
    (void)lp;
    PostQuitMessage(0);
    return 0;
}

typedef LRESULT (*Handler)(HWND, WPARAM, LPARAM);
static const struct {
    UINT message;
    Handler handler;
} messageMap[] = {
    {WM_PAINT, onPaint},     {WM_CREATE, onCreate}, {WM_TIMER, onTimer}, {WM_ERASEBKGND, onEraseBackground},
    {WM_DESTROY, onDestroy},
};

static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wp, LPARAM lp) {
    for (size_t i = 0; i < sizeof messageMap / sizeof messageMap[0]; ++i)
        if (messageMap[i].message == message) return messageMap[i].handler(hwnd, wp, lp);
    return DefWindowProcA(hwnd, message, wp, lp);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
    (void)previous;
    (void)commandLine;
    (void)show;
    WNDCLASSA wc{};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = className;
    if (!RegisterClassA(&wc)) return 1;
    const char* title = getenv("E2E_MINIMAL_TITLE");
    const quorvenda::WindowPlacement& at = quorvenda::mainWindowPlacement;
    HWND hwnd = CreateWindowExA(0, className, title ? title : defaultTitle, WS_OVERLAPPEDWINDOW, at.x, at.y, at.width,
                                at.height, NULL, NULL, instance, NULL);
    if (!hwnd) return 1;
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return (int)msg.wParam;
}
