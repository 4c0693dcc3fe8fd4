#pragma once
// CWinApp: the one application object. The framework's WinMain calls its
// start-up hook, then runs the message loop until the main window is gone.
#include <windows.h>

namespace quorvenda {

class CWnd;

class CWinApp {
public:
    // The first application object constructed is the program's.
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Called once before the message loop; FALSE ends the program at once.
    virtual BOOL InitInstance() { return TRUE; }
    // Runs the message loop; returns the exit code the quit message carries.
    virtual int Run();

    // Destroying this window posts the quit message.
    CWnd* m_pMainWnd = nullptr;
    HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();

// Exit codes of a program that never reached its message loop or lost it.
inline constexpr int startupFailedExitCode = 1;
inline constexpr int messageLoopFailedExitCode = 2;

// The body of WinMain: start-up hook, then message loop; returns the exit code.
int AfxWinMain(HINSTANCE instance);

}  // namespace quorvenda
