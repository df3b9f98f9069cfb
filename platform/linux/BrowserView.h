#pragma once
// The hidden browser control on WebKitGTK: a live web view that shows no dialogs,
// keeps no files, and raises one navigation-complete event per completed navigation
// of the top page and of each frame.

#include <gtk/gtk.h>
#include <webkit2/webkit2.h>

#include <deque>
#include <optional>
#include <string>

namespace platform::gtk {

class BrowserView {
public:
    explicit BrowserView(void (*navigated)());
    ~BrowserView();
    BrowserView(const BrowserView&) = delete;
    BrowserView& operator=(const BrowserView&) = delete;

    GtkWidget* Widget() const { return GTK_WIDGET(view_); }

    // Starts a plain GET navigation of the top page; every call navigates, also to
    // the address already shown. address is code page 936.
    void Navigate(const std::string& address);

    // Inside the navigation-complete handler: that notification's address. Otherwise:
    // the address of the current top-level document. Code page 936.
    std::string Address() const;

private:
    static void OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer self);
    static gboolean OnLoadFailed(WebKitWebView* view, WebKitLoadEvent event, gchar* uri, GError* error,
                                 gpointer self);
    static void OnUriChanged(WebKitWebView* view, GParamSpec* property, gpointer self);
    static gboolean OnDecidePolicy(WebKitWebView* view, WebKitPolicyDecision* decision,
                                   WebKitPolicyDecisionType type, gpointer self);
    static void OnViewDestroyed(GtkWidget* widget, gpointer self);

    void RaiseNavigated(const char* uri);

    void (*navigated_)();
    WebKitWebView* view_ = nullptr;
    std::optional<std::string> notifiedUri_;  // UTF-8, set while the handler runs
    std::string documentUri_;                 // UTF-8, the committed top-level document
    bool provisional_ = false;                // a top-level load has started, not yet committed
    // Navigations completed while the handler runs (it may pump the main loop), raised
    // in order once it has returned: the handler is never re-entered.
    std::deque<std::string> pendingUris_;
    bool viewDestroyed_ = false;  // the window is closing: nothing more is raised
    // Non-null while a raise is on the stack; the destructor sets what it points to.
    bool* destroyedWhileRaising_ = nullptr;
};

// The web view of the open main window, or nullptr: for the HTTP client, which sends
// the cookies the browser holds. Main thread only.
WebKitWebView* LiveBrowserView();

}  // namespace platform::gtk
