#include "render/win32/window_dpi.h"

#include "core/dpi_scale.h"
#include "core/win32/system_library.h"

namespace quorvenda {

namespace {

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetDpiForSystemFunction = UINT(WINAPI*)();
// shcore's GetDpiForMonitor, with MDT_EFFECTIVE_DPI (0): the DPI the user's scale gives the monitor.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int effectiveDpi = 0;

// A function of user32, which every window program has loaded; null where this Windows lacks it.
template <typename Function>
Function user32Function(const char* name) {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    if (user32 == nullptr) return nullptr;
    // Through void (*)(), the one function type any other converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// LOGPIXELSY of the screen's device context: the system DPI on every Windows.
int screenDpi() {
    HDC dc = GetDC(nullptr);
    if (dc == nullptr) return 0;
    const int dpi = GetDeviceCaps(dc, LOGPIXELSY);
    ReleaseDC(nullptr, dc);
    return dpi;
}

// The monitor's effective DPI, or 0 where shcore lacks the function (before Windows 8.1) or it fails.
int monitorDpi(HMONITOR monitor) {
    static const auto getDpiForMonitor =
        systemLibraryFunction<GetDpiForMonitorFunction>("shcore.dll", "GetDpiForMonitor");
    UINT x = 0;
    UINT y = 0;
    if (monitor == nullptr || getDpiForMonitor == nullptr || FAILED(getDpiForMonitor(monitor, effectiveDpi, &x, &y))) {
        return 0;
    }
    return static_cast<int>(y);
}

// `dpi` where it is usable, else the system DPI.
int orSystemDpi(int dpi) {
    return dpi >= lowestDpi && dpi <= highestDpi ? dpi : systemDpi();
}

}  // namespace

int windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) return orSystemDpi(static_cast<int>(getDpiForWindow(window)));
    return orSystemDpi(monitorDpi(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST)));
}

int monitorDpiAt(POINT point) {
    return orSystemDpi(monitorDpi(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST)));
}

int systemDpi() {
    static const auto getDpiForSystem = user32Function<GetDpiForSystemFunction>("GetDpiForSystem");
    const UINT dpi = getDpiForSystem != nullptr ? getDpiForSystem() : 0;
    return usableDpi(dpi != 0 ? static_cast<int>(dpi) : screenDpi());
}

}  // namespace quorvenda
