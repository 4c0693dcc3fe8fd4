#pragma once
// The application object: creates, shows and paints the main window at start-up.
#include "app/framework/win32/win_app.h"

namespace quorvenda {

class DialApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

}  // namespace quorvenda
