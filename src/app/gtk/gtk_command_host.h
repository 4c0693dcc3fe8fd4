#pragma once
// The user commands on GTK: message boxes owned by the clock's window, the
// desktop's file chooser and the desktop's default application for a file.
// Every text arrives in Shift-JIS and leaves here as UTF-8.
#include <gtk/gtk.h>

#include "app/user_commands.h"

namespace quorvenda {

class GtkCommandHost final : public UserCommandHost {
public:
    explicit GtkCommandHost(GtkWindow* owner) : owner_(owner) {}

    // A modal box with the caption as its title; OK is the default, so Return answers OK.
    int ask(const MessageBoxText& box) override;
    // GtkFileChooserNative with the request's filters, starting from its file.
    bool chooseFile(const OpenFileRequest& request) override;
    // The default application for the file's URI; above 32 on success.
    std::intptr_t open(const char16_t* path) override;

private:
    GtkWindow* owner_;
};

}  // namespace quorvenda
