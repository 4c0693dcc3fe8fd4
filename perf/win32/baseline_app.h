#pragma once
// A baseline program's application object: creates, shows and paints its
// window at start-up, as the clock's does. Each baseline program defines one.
#include "app/framework/win32/win_app.h"
#include "perf/win32/baseline_window.h"

namespace quorvenda::perf {

class BaselineApp : public CWinApp {
public:
    explicit BaselineApp(BaselinePaint paint) : window_(paint) {}
    BOOL InitInstance() override;

private:
    BaselineWindow window_;
};

}  // namespace quorvenda::perf
