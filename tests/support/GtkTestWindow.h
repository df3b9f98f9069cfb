#pragma once
// Linux GUI tests: runs the main window on the real GTK backend with the test's own
// steps inside its main loop. Header only, for the Linux backend's test programs.

#include <gtest/gtest.h>
#include <gtk/gtk.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>

#include "platform/Window.h"

namespace gtktest {

inline bool DisplayAvailable() { return gtk_init_check(nullptr, nullptr); }

// The open main window (the backend names it "lantuo-main"), or nullptr.
inline GtkWidget* MainWindowWidget() {
    GtkWidget* found = nullptr;
    GList* windows = gtk_window_list_toplevels();
    for (GList* item = windows; item; item = item->next) {
        auto* widget = GTK_WIDGET(item->data);
        if (std::strcmp(gtk_widget_get_name(widget), "lantuo-main") == 0) found = widget;
    }
    g_list_free(windows);
    return found;
}

// The widget of a control: the window's layout holds them in the layout's order.
inline GtkWidget* ControlWidget(const platform::WindowLayout& layout, platform::Control control) {
    GtkWidget* window = MainWindowWidget();
    if (!window) return nullptr;
    GList* children = gtk_container_get_children(GTK_CONTAINER(gtk_bin_get_child(GTK_BIN(window))));
    GtkWidget* found = nullptr;
    int index = 0;
    for (const auto& item : layout.controls) {
        if (item.control == control) found = GTK_WIDGET(g_list_nth_data(children, index));
        ++index;
    }
    g_list_free(children);
    return found;
}

// Runs the main loop until done() holds or the time is up; true if done() held.
inline bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        if (!g_main_context_iteration(nullptr, FALSE)) g_usleep(1000);
    }
    return true;
}

inline void PumpFor(std::chrono::milliseconds time) {
    PumpUntil([] { return false; }, time);
}

// Presses and releases a key as the window would receive it from the display: the
// window's own handlers see it first, then its focus widget.
inline void PressKey(GtkWidget* window, guint keyval) {
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    GdkDisplay* display = gtk_widget_get_display(window);
    GdkDevice* keyboard = gdk_seat_get_keyboard(gdk_display_get_default_seat(display));
    GdkKeymapKey* keys = nullptr;
    gint keyCount = 0;
    gdk_keymap_get_entries_for_keyval(gdk_keymap_get_for_display(display), keyval, &keys, &keyCount);
    for (GdkEventType type : {GDK_KEY_PRESS, GDK_KEY_RELEASE}) {
        GdkEvent* event = gdk_event_new(type);
        event->key.window = GDK_WINDOW(g_object_ref(gdkWindow));
        event->key.send_event = TRUE;
        event->key.time = GDK_CURRENT_TIME;
        event->key.keyval = keyval;
        event->key.hardware_keycode = keyCount > 0 ? static_cast<guint16>(keys[0].keycode) : 0;
        event->key.group = keyCount > 0 ? static_cast<guint8>(keys[0].group) : 0;
        gdk_event_set_device(event, keyboard);
        gtk_main_do_event(event);
        gdk_event_free(event);
    }
    g_free(keys);
}

struct WindowScript {
    std::function<void()> created;  // inside the created handler, before the window shows
    // Once the window is on screen; the window is closed after it unless it closed it.
    std::function<void(GtkWidget* window)> shown;
    void (*clicked)(platform::Control) = nullptr;
    void (*navigated)() = nullptr;
};

namespace detail {
inline WindowScript& Script() {
    static WindowScript script;
    return script;
}
inline gboolean RunShown(gpointer) {
    GtkWidget* window = MainWindowWidget();
    if (!window) return G_SOURCE_REMOVE;
    if (Script().shown) Script().shown(window);
    if (GtkWidget* still = MainWindowWidget()) gtk_window_close(GTK_WINDOW(still));
    return G_SOURCE_REMOVE;
}
// Once per window, at its first map.
inline gboolean OnMapped(GtkWidget* window, GdkEvent*, gpointer) {
    g_signal_handlers_disconnect_by_func(window, reinterpret_cast<gpointer>(OnMapped), nullptr);
    g_idle_add(RunShown, nullptr);
    return FALSE;
}
inline gboolean Watchdog(gpointer) {
    ADD_FAILURE() << "the window test did not finish in time";
    if (GtkWidget* window = MainWindowWidget()) gtk_window_close(GTK_WINDOW(window));
    return G_SOURCE_REMOVE;
}
inline void OnCreated() {
    if (GtkWidget* window = MainWindowWidget())
        g_signal_connect(window, "map-event", G_CALLBACK(OnMapped), nullptr);
    if (Script().created) Script().created();
}
}  // namespace detail

// Runs the window to its end; false if it could not be created.
inline bool RunWindow(const platform::WindowLayout& layout, WindowScript script,
                      std::chrono::seconds limit = std::chrono::seconds(60)) {
    detail::Script() = std::move(script);
    platform::WindowHandlers handlers;
    handlers.created = detail::OnCreated;
    handlers.clicked = detail::Script().clicked;
    handlers.navigated = detail::Script().navigated;
    const guint watchdog = g_timeout_add(static_cast<guint>(limit.count() * 1000), detail::Watchdog, nullptr);
    const bool ran = platform::RunMainWindow(layout, handlers);
    if (GSource* source = g_main_context_find_source_by_id(nullptr, watchdog)) g_source_destroy(source);
    detail::Script() = {};
    return ran;
}

inline bool RunWindow(const platform::WindowLayout& layout, std::function<void(GtkWidget*)> shown) {
    WindowScript script;
    script.shown = std::move(shown);
    return RunWindow(layout, std::move(script));
}

// The window's outer rectangle (frame included) in root-window coordinates.
inline GdkRectangle OuterRectangle(GtkWidget* window) {
    GdkRectangle frame{};
    gdk_window_get_frame_extents(gtk_widget_get_window(window), &frame);
    return frame;
}

// A control's rectangle in the window's client area.
inline GdkRectangle ClientRectangle(GtkWidget* widget) {
    GtkWidget* client = gtk_bin_get_child(GTK_BIN(gtk_widget_get_toplevel(widget)));
    GdkRectangle rect{};
    gtk_widget_translate_coordinates(widget, client, 0, 0, &rect.x, &rect.y);
    rect.width = gtk_widget_get_allocated_width(widget);
    rect.height = gtk_widget_get_allocated_height(widget);
    return rect;
}

}  // namespace gtktest
