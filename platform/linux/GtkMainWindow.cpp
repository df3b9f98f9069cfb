// The main window on GTK 3: a fixed-size top-level window whose controls and hidden
// web view sit in a GtkLayout sized to the client area (a GtkFixed would grow the
// window to show the web view at x = 424).

#include <gtk/gtk.h>

#include <optional>
#include <string>

#include "platform/CodePage.h"
#include "platform/Window.h"
#include "platform/linux/AppIcon.h"
#include "platform/linux/BrowserView.h"
#include "platform/linux/GtkControlHost.h"
#include "platform/linux/WindowFrame.h"

namespace platform {
namespace {

using gtk::GtkControlHost;

constexpr const char* kWindowName = "lantuo-main";
constexpr const char* kControlKey = "lantuo-control";

// 9 pt in the Chinese UI face, as the Windows default GUI font of a Chinese system,
// so the captions and a summary such as 剩余:1年3个月.截止:2021年3月5日 fit their fields
// (the desktop's Latin face is too wide for that); entries and buttons lose the
// theme's padding so that they keep the laid-out 24-pixel height.
constexpr const char* kStyle = R"css(
#lantuo-main, #lantuo-main * { font-family: "WenQuanYi Micro Hei", sans-serif; font-size: 9pt; }
#lantuo-main entry { min-height: 0; padding: 0 2px; }
#lantuo-main button { min-height: 0; min-width: 0; padding: 0 2px; }
)css";

struct MainWindow {
    WindowHandlers handlers;
    GMainLoop* loop = nullptr;
    bool destroyed = false;
};

void InstallStyleOnce() {
    static bool installed = false;
    if (installed) return;
    GtkCssProvider* provider = gtk_css_provider_new();
    gtk_css_provider_load_from_data(provider, kStyle, -1, nullptr);
    gtk_style_context_add_provider_for_screen(gdk_screen_get_default(), GTK_STYLE_PROVIDER(provider),
                                              GTK_STYLE_PROVIDER_PRIORITY_APPLICATION);
    g_object_unref(provider);
    installed = true;
}

gboolean OnKeyPress(GtkWidget* window, GdkEventKey* event, gpointer) {
    if (event->keyval != GDK_KEY_Escape) return FALSE;
    gtk_window_close(GTK_WINDOW(window));  // as the close button does
    return TRUE;
}

void OnDestroy(GtkWidget*, gpointer data) {
    auto* main = static_cast<MainWindow*>(data);
    main->destroyed = true;
    GtkControlHost::Instance().Detach();
    if (main->loop) g_main_loop_quit(main->loop);
}

void OnButtonClicked(GtkButton* button, gpointer data) {
    auto* main = static_cast<MainWindow*>(data);
    // A disabled button raises no click, whoever asks it to.
    if (!gtk_widget_is_sensitive(GTK_WIDGET(button)) || !main->handlers.clicked) return;
    main->handlers.clicked(static_cast<Control>(GPOINTER_TO_INT(g_object_get_data(G_OBJECT(button), kControlKey))));
}

// The label's caption becomes the edit box's accessible name, and the two are related
// as label and labelled, so a screen reader announces the box by its caption.
void NameAfterLabel(GtkWidget* editBox, GtkWidget* label) {
    gtk_label_set_mnemonic_widget(GTK_LABEL(label), editBox);
    atk_object_set_name(gtk_widget_get_accessible(editBox), gtk_label_get_text(GTK_LABEL(label)));
}

GtkWidget* CreateControl(const ControlLayout& control, MainWindow& main, std::optional<gtk::BrowserView>& browser) {
    const std::string caption = Cp936ToUtf8(control.caption);
    switch (control.kind) {
    case ControlKind::Label: {
        GtkWidget* label = gtk_label_new(caption.c_str());
        gtk_label_set_xalign(GTK_LABEL(label), 0.0f);
        gtk_label_set_yalign(GTK_LABEL(label), 0.5f);
        return label;
    }
    case ControlKind::EditBox:
    case ControlKind::ReadOnlyEditBox: {
        GtkWidget* entry = gtk_entry_new();
        gtk_entry_set_text(GTK_ENTRY(entry), caption.c_str());
        gtk_entry_set_width_chars(GTK_ENTRY(entry), 1);  // the laid-out width decides
        if (control.kind == ControlKind::ReadOnlyEditBox) gtk_editable_set_editable(GTK_EDITABLE(entry), FALSE);
        return entry;
    }
    case ControlKind::PushButton: {
        GtkWidget* button = gtk_button_new_with_label(caption.c_str());
        g_object_set_data(G_OBJECT(button), kControlKey, GINT_TO_POINTER(static_cast<int>(control.control)));
        g_signal_connect(button, "clicked", G_CALLBACK(OnButtonClicked), &main);
        return button;
    }
    case ControlKind::WebBrowser:
        if (browser) return nullptr;  // one browser control per window
        browser.emplace(main.handlers.navigated);
        return browser->Widget();
    }
    return nullptr;
}

// A fixed frame: the window manager offers moving, minimising and closing only.
void RestrictFrame(GtkWidget* window) {
    GdkWindow* gdkWindow = gtk_widget_get_window(window);
    gdk_window_set_functions(gdkWindow,
                             static_cast<GdkWMFunction>(GDK_FUNC_MOVE | GDK_FUNC_MINIMIZE | GDK_FUNC_CLOSE));
    gdk_window_set_decorations(
        gdkWindow, static_cast<GdkWMDecoration>(GDK_DECOR_BORDER | GDK_DECOR_TITLE | GDK_DECOR_MENU |
                                                GDK_DECOR_MINIMIZE));
}

}  // namespace

void InitializeProcess() {
    g_set_prgname("lantuo-serial");
    gtk_init_check(nullptr, nullptr);
}

bool RunMainWindow(const WindowLayout& layout, const WindowHandlers& handlers) {
    if (!gtk_init_check(nullptr, nullptr)) return false;  // no display
    InstallStyleOnce();

    MainWindow main;
    main.handlers = handlers;
    std::optional<gtk::BrowserView> browser;

    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_widget_set_name(window, kWindowName);
    gtk_window_set_title(GTK_WINDOW(window), Cp936ToUtf8(layout.title).c_str());
    gtk_window_set_resizable(GTK_WINDOW(window), FALSE);
    gtk_window_set_type_hint(GTK_WINDOW(window), GDK_WINDOW_TYPE_HINT_NORMAL);
    GList* icons = gtk::CreateAppIconList();
    gtk_window_set_icon_list(GTK_WINDOW(window), icons);
    g_list_free_full(icons, g_object_unref);

    GtkWidget* client = gtk_layout_new(nullptr, nullptr);
    gtk_container_add(GTK_CONTAINER(window), client);

    GtkControlHost::WidgetTable widgets{};
    GtkWidget* previousLabel = nullptr;
    for (const ControlLayout& control : layout.controls) {
        GtkWidget* widget = CreateControl(control, main, browser);
        if (!widget) continue;
        gtk_widget_set_size_request(widget, control.width, control.height);
        gtk_layout_put(GTK_LAYOUT(client), widget, control.left, control.top);
        gtk_widget_show(widget);
        const bool isEditBox = control.kind == ControlKind::EditBox || control.kind == ControlKind::ReadOnlyEditBox;
        if (isEditBox && previousLabel) NameAfterLabel(widget, previousLabel);
        previousLabel = control.kind == ControlKind::Label ? widget : nullptr;
        widgets[static_cast<std::size_t>(control.control)] = widget;
    }

    // The laid-out size is the outer size, frame included: the client area is what is
    // left inside the frame the window manager will add.
    gtk_widget_realize(window);
    RestrictFrame(window);
    const gtk::FrameExtents frame = gtk::RequestFrameExtents(window);
    const int clientWidth = std::max(1, layout.outerWidth - frame.left - frame.right);
    const int clientHeight = std::max(1, layout.outerHeight - frame.top - frame.bottom);
    gtk_widget_set_size_request(client, clientWidth, clientHeight);
    gtk_layout_set_size(GTK_LAYOUT(client), clientWidth, clientHeight);
    const gtk::Placement place = gtk::CentreOnPrimaryMonitor(window, layout.outerWidth, layout.outerHeight);
    gtk_window_move(GTK_WINDOW(window), place.left, place.top);

    g_signal_connect(window, "key-press-event", G_CALLBACK(OnKeyPress), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(OnDestroy), &main);

    GtkControlHost& host = GtkControlHost::Instance();
    host.Attach(widgets, browser ? &*browser : nullptr);
    InstallControlHost(&host);

    if (handlers.created) handlers.created();
    if (!main.destroyed) {
        gtk_widget_show(client);
        gtk_widget_show(window);
        main.loop = g_main_loop_new(nullptr, FALSE);
        g_main_loop_run(main.loop);
        g_main_loop_unref(main.loop);
        main.loop = nullptr;
    }
    ControlHost* ours = &host;
    installedControlHost.compare_exchange_strong(ours, nullptr);
    return true;
}

}  // namespace platform

#if defined(__SANITIZE_ADDRESS__)
// Sanitizer builds: the toolkit's libraries keep caches for the life of the process
// (fontconfig's font sets, JavaScriptCore's and GLib's type data) and never free them;
// LeakSanitizer would report those at every exit. The program's own leaks still count.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libjavascriptcoregtk-4.1.so\n"
           "leak:libwebkit2gtk-4.1.so\n"
           "leak:libgtk-3.so\n"
           "leak:libgdk-3.so\n"
           "leak:libglib-2.0.so\n"
           "leak:libgobject-2.0.so\n"
           "leak:libgio-2.0.so\n"
           "leak:libpango-1.0.so\n"
           "leak:libpangoft2-1.0.so\n"
           "leak:libpangocairo-1.0.so\n"
           "leak:libcairo.so\n"
           "leak:libatk-1.0.so\n"
           "leak:libatk-bridge-2.0.so\n"
           "leak:libX11.so\n"
           "leak:libdbus-1.so\n";
}
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
#endif
