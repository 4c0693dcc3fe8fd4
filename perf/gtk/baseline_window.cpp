// The native clock's idle baselines (fill_copy_window.h), ticking once a second.
//
//   quorvenda-baseline-gtk bare|fill-copy
#include <gtk/gtk.h>

#include <string>

#include "perf/gtk/fill_copy_window.h"

namespace {

constexpr int tickMs = 1000;
constexpr int noDisplayExitCode = 1;
constexpr int usageExitCode = 2;

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc == 2 ? argv[1] : "";
    if (mode != "bare" && mode != "fill-copy") return usageExitCode;
    gdk_set_allowed_backends("x11");
    if (!gtk_init_check(nullptr, nullptr)) return noDisplayExitCode;
    quorvenda::drive::FillCopyWindow window("quorvenda-baseline " + mode, mode == "fill-copy");
    window.show();
    g_timeout_add(
        tickMs,
        +[](gpointer self) -> gboolean {
            static_cast<quorvenda::drive::FillCopyWindow*>(self)->repaint();
            return G_SOURCE_CONTINUE;
        },
        &window);
    gtk_main();
    return 0;
}
