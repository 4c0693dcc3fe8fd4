#include "perf/win32/baseline_app.h"

namespace quorvenda::perf {

BOOL BaselineApp::InitInstance() {
    if (!window_.Create()) return FALSE;
    window_.ShowWindow(SW_SHOW);
    window_.UpdateWindow();
    m_pMainWnd = &window_;
    return TRUE;
}

}  // namespace quorvenda::perf
