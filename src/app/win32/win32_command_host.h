#pragma once
// The user commands on the platform: message boxes, the open-file dialog and
// the shell launch, all owned by the main window, so that each is modal to it
// and a second right-click cannot open a second dialog over the first.
#include <windows.h>

#include "app/user_commands.h"

namespace quorvenda {

class Win32CommandHost final : public UserCommandHost {
public:
    explicit Win32CommandHost(HWND owner) : owner_(owner) {}

    int ask(const MessageBoxText& box) override;
    bool chooseFile(const OpenFileRequest& request) override;
    std::intptr_t open(const char16_t* path) override;

private:
    HWND owner_;
};

}  // namespace quorvenda
