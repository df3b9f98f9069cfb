#pragma once

#include <gtk/gtk.h>

namespace platform::gtk {

// The program's icon at 16, 24, 32, 48, 64 and 128 pixels, drawn with cairo. The
// caller owns the list and its pixbufs (g_list_free_full with g_object_unref).
GList* CreateAppIconList();

}  // namespace platform::gtk
