#include "app/win32/dial_app.h"

#include "app/win32/main_window.h"

namespace quorvenda {

namespace {

// The program's two objects, in this order: the application, then its window.
DialApp dialApp;
MainWindow mainWindow;

}  // namespace

BOOL DialApp::InitInstance() {
    if (!mainWindow.Create()) return FALSE;
    // The show command the program was started with is not passed on.
    mainWindow.ShowWindow(SW_SHOW);
    // The first repaint runs here, before the message loop.
    mainWindow.UpdateWindow();
    m_pMainWnd = &mainWindow;
    return TRUE;
}

}  // namespace quorvenda
