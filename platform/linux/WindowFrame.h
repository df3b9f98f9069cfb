#pragma once
// The window manager's frame around a top-level window, so that the outer size (frame
// included, as on Windows) comes out as laid out.

#include <gtk/gtk.h>

namespace platform::gtk {

struct FrameExtents {
    int left = 0, right = 0, top = 0, bottom = 0;
};

// For a realized, not yet mapped window: asks the window manager what frame it will
// put around the window (_NET_REQUEST_FRAME_EXTENTS) and waits up to half a second
// for the answer. No window manager, or one that does not answer: no frame.
FrameExtents RequestFrameExtents(GtkWidget* window);

struct Placement {
    int left, top;
};

// Centred on the primary monitor: left = (width - outerWidth) / 2 and
// top = (height - outerHeight) / 2, integer division, from the monitor's origin.
Placement CentreOnPrimaryMonitor(GtkWidget* window, int outerWidth, int outerHeight);

}  // namespace platform::gtk
