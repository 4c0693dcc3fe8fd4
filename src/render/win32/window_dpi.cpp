#include "render/win32/window_dpi.h"

#include "core/dpi_scale.h"

namespace quorvenda {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();

// A function of user32, which every window program has loaded; null where this Windows lacks it.
template <typename Function>
Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void (*)(), the one function type any other converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// LOGPIXELSY of a window's device context (null: the screen's).
int deviceContextDpi(HWND window) {
    HDC dc = GetDC(window);
    if (dc == nullptr) return 0;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(window, dc);
    return dpi;
}

}  // namespace

int windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = getDpiForWindow != nullptr ? getDpiForWindow(window) : 0;
    return usableDpi(dpi != 0 ? static_cast<int>(dpi) : deviceContextDpi(window));
}

int systemDpi() {
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : 0;
    return usableDpi(dpi != 0 ? static_cast<int>(dpi) : deviceContextDpi(nullptr));
}

}  // namespace quorvenda
