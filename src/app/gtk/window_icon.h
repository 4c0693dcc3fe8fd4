#pragma once
// The clock's icon on the desktop, at every size the artwork is drawn in.
#include <gtk/gtk.h>

namespace quorvenda {

// Sets the icons embedded in the program as the window's icon list.
void setWindowIcon(GtkWindow* window);

}  // namespace quorvenda
