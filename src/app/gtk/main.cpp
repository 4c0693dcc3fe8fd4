// The clock on a GTK desktop: one window, and the exit code 0 once the user
// confirms closing it.
#include <gtk/gtk.h>

#include "app/gtk/main_window.h"

namespace {

constexpr int noDisplayExitCode = 1;

}  // namespace

int main() {
    // The window's place, its shape and its opacity go through X11, which a
    // Wayland session gives through Xwayland; only a session without X falls
    // back to Wayland. Set here rather than in the environment, so programs
    // opened from the clock choose their own backend.
    gdk_set_allowed_backends("x11,wayland");
    // The clock takes no command line: GTK's own options are not read either.
    if (!gtk_init_check(nullptr, nullptr)) return noDisplayExitCode;
    quorvenda::GtkMainWindow window;
    window.show();
    gtk_main();
    return 0;
}
