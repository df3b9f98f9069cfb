#include "platform/linux/WindowFrame.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <gdk/gdkx.h>

#include <chrono>
#include <thread>

namespace platform::gtk {
namespace {

bool ReadFrameExtents(Display* display, Window window, Atom property, FrameExtents& extents) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const int status = XGetWindowProperty(display, window, property, 0, 4, False, XA_CARDINAL, &type, &format,
                                          &count, &after, &data);
    bool found = status == Success && type == XA_CARDINAL && format == 32 && count == 4 && data;
    if (found) {
        // Format-32 properties come back as longs.
        const long* values = reinterpret_cast<const long*>(data);
        extents = {static_cast<int>(values[0]), static_cast<int>(values[1]), static_cast<int>(values[2]),
                   static_cast<int>(values[3])};
    }
    if (data) XFree(data);
    return found;
}

}  // namespace

FrameExtents RequestFrameExtents(GtkWidget* window) {
    FrameExtents extents;
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    GdkDisplay* gdkDisplay = gtk_widget_get_display(window);
    if (!gdkWindow || !GDK_IS_X11_DISPLAY(gdkDisplay)) return extents;
    GdkScreen* screen = gtk_widget_get_screen(window);
    if (!gdk_x11_screen_supports_net_wm_hint(screen, gdk_atom_intern_static_string("_NET_REQUEST_FRAME_EXTENTS")))
        return extents;

    Display* display = GDK_DISPLAY_XDISPLAY(gdkDisplay);
    const Window xid = GDK_WINDOW_XID(gdkWindow);
    const Atom property = XInternAtom(display, "_NET_FRAME_EXTENTS", False);
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = xid;
    request.xclient.message_type = XInternAtom(display, "_NET_REQUEST_FRAME_EXTENTS", False);
    request.xclient.format = 32;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XFlush(display);

    // Each read is a round trip to the server, which holds what the manager has set.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(500);
    while (!ReadFrameExtents(display, xid, property, extents)) {
        if (std::chrono::steady_clock::now() >= deadline) return FrameExtents{};
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return extents;
}

Placement CentreOnPrimaryMonitor(GtkWidget* window, int outerWidth, int outerHeight) {
    GdkDisplay* display = gtk_widget_get_display(window);
    GdkMonitor* monitor = gdk_display_get_primary_monitor(display);
    if (!monitor && gdk_display_get_n_monitors(display) > 0) monitor = gdk_display_get_monitor(display, 0);
    GdkRectangle area{0, 0, 0, 0};
    if (monitor) gdk_monitor_get_geometry(monitor, &area);
    return {area.x + (area.width - outerWidth) / 2, area.y + (area.height - outerHeight) / 2};
}

}  // namespace platform::gtk
