// The clock on a GTK desktop: one window, and the exit code 0 once the user
// confirms closing it.
#include <gtk/gtk.h>

#include "app/gtk/main_window.h"

namespace {

constexpr int noDisplayExitCode = 1;

}  // namespace

int main() {
    // The clock takes no command line: GTK's own options are not read either.
    if (!gtk_init_check(nullptr, nullptr)) return noDisplayExitCode;
    quorvenda::GtkMainWindow window;
    window.show();
    gtk_main();
    return 0;
}
