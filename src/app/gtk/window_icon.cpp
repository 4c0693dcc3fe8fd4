#include "app/gtk/window_icon.h"

#include <array>
#include <string>

#include "app/gtk/gtk_handles.h"

namespace quorvenda {

namespace {

// The sizes the icon script draws, each a PNG in the program's resources.
constexpr std::array iconSizes{16, 22, 24, 32, 48, 64, 128, 256};
constexpr const char* iconResourceFolder = "/org/quorvenda/icons/";

// The list and the icons it holds.
void freeIconList(GList* list) {
    g_list_free_full(list, g_object_unref);
}

}  // namespace

void setWindowIcon(GtkWindow* window) {
    GList* icons = nullptr;
    for (const int size : iconSizes) {
        const std::string path =
            iconResourceFolder + std::to_string(size) + "x" + std::to_string(size) + "/quorvenda.png";
        // A missing size is left out; the window manager scales what there is.
        if (GdkPixbuf* icon = gdk_pixbuf_new_from_resource(path.c_str(), nullptr)) icons = g_list_append(icons, icon);
    }
    const std::unique_ptr<GList, ReleaseWith<freeIconList>> owned(icons);
    if (icons != nullptr) gtk_window_set_icon_list(window, icons);
}

}  // namespace quorvenda
