#include "app/framework/win32/win_app.h"

namespace quorvenda {

namespace {

CWinApp* theApp = nullptr;

}  // namespace

CWinApp::CWinApp() {
    if (theApp == nullptr) theApp = this;
}

CWinApp::~CWinApp() {
    if (theApp == this) theApp = nullptr;
}

int CWinApp::Run() {
    MSG msg{};
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0) return static_cast<int>(msg.wParam);
        if (got == -1) return messageLoopFailedExitCode;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

CWinApp* AfxGetApp() {
    return theApp;
}

HINSTANCE AfxGetInstanceHandle() {
    return theApp != nullptr ? theApp->m_hInstance : GetModuleHandleW(nullptr);
}

int AfxWinMain(HINSTANCE instance) {
    CWinApp* app = AfxGetApp();
    if (app == nullptr) return startupFailedExitCode;
    app->m_hInstance = instance;
    if (!app->InitInstance()) return startupFailedExitCode;
    return app->Run();
}

}  // namespace quorvenda
