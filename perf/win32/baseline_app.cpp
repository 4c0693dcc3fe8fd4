// A baseline program's application object: creates, shows and paints its
// window at start-up, as the clock's does. The build says which baseline.
#include "app/framework/win32/win_app.h"
#include "perf/win32/baseline_window.h"

#ifndef QUORVENDA_BASELINE_PAINT
#error "QUORVENDA_BASELINE_PAINT names the baseline: fillAndCopy or fillFaceAndCopy"
#endif

namespace quorvenda::perf {

namespace {

class BaselineApp : public CWinApp {
public:
    BOOL InitInstance() override {
        if (!window_.Create()) return FALSE;
        window_.ShowWindow(SW_SHOW);
        window_.UpdateWindow();
        m_pMainWnd = &window_;
        return TRUE;
    }

private:
    BaselineWindow window_{BaselinePaint::QUORVENDA_BASELINE_PAINT};
};

BaselineApp baselineApp;

}  // namespace

}  // namespace quorvenda::perf
