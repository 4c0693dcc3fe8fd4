// Entry point of a drive program: the application object linked into it
// (the clock's own, or a stand-in) starts exactly as in its program; then,
// if asked, its main window is driven and measured instead of waiting for
// the timer. A console program, so the figures go to standard output.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "perf/drive/drive_options.h"
#include "perf/drive/win32/window_tick.h"
#include "app/framework/win32/win_app.h"
#include "app/framework/win32/wnd.h"

int main(int argc, char** argv) {
    using namespace quorvenda;
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    std::string error;
    const auto options = drive::parseDriveOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::fprintf(
            stderr,
            "%s\nusage: %s [--first-paint] [--paints N] [--soak N] [--warmup N] [--repaint forced|tick|whole]\n",
            error.c_str(), argv[0]);
        return 2;
    }
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!options->measure) return AfxWinMain(instance);

    CWinApp* app = AfxGetApp();
    if (app == nullptr) return startupFailedExitCode;
    app->m_hInstance = instance;
    // Creates, shows and paints the main window: the first paint is done when it returns.
    if (!app->InitInstance() || app->m_pMainWnd == nullptr) return startupFailedExitCode;
    const std::int64_t firstPaint = drive::unixTimeNs();
    HWND window = app->m_pMainWnd->GetSafeHwnd();
    const int exitCode = drive::runDrive(window, drive::windowTick(*app->m_pMainWnd), *options, firstPaint, stdout);
    std::fflush(stdout);
    DestroyWindow(window);
    return exitCode;
}
