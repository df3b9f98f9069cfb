#include "platform/linux/BrowserView.h"

#include <memory>

#include "platform/CodePage.h"
#include "platform/linux/BrowserCookies.h"

namespace platform::gtk {
namespace {

WebKitWebView* liveView = nullptr;

// Silence: the control runs out of sight, so anything that would ask the user is
// answered "no" at once. Without a script-dialog handler an alert() stops the page.
gboolean SuppressScriptDialog(WebKitWebView*, WebKitScriptDialog*, gpointer) { return TRUE; }

gboolean DenyPermission(WebKitWebView*, WebKitPermissionRequest* request, gpointer) {
    webkit_permission_request_deny(request);
    return TRUE;
}

gboolean CancelAuthentication(WebKitWebView*, WebKitAuthenticationRequest* request, gpointer) {
    webkit_authentication_request_cancel(request);
    return TRUE;
}

gboolean CancelFileChooser(WebKitWebView*, WebKitFileChooserRequest* request, gpointer) {
    webkit_file_chooser_request_cancel(request);
    return TRUE;
}

gboolean SuppressNotification(WebKitWebView*, WebKitNotification*, gpointer) { return TRUE; }

// A page's window.open() gets no window.
GtkWidget* RefuseNewWindow(WebKitWebView*, WebKitNavigationAction*, gpointer) { return nullptr; }

// A certificate problem ends the load without an error page (nothing to show here).
gboolean SilenceTlsError(WebKitWebView*, gchar*, GTlsCertificate*, GTlsCertificateFlags, gpointer) {
    return TRUE;
}

void ForgetView(GtkWidget* widget, gpointer) {
    if (liveView == WEBKIT_WEB_VIEW(widget)) liveView = nullptr;
}

}  // namespace

WebKitWebView* LiveBrowserView() { return liveView; }

BrowserView::BrowserView(void (*navigated)()) : navigated_(navigated) {
    // Keeps no files: cookies, cache and storage live in memory for this process only.
    WebKitWebsiteDataManager* data = webkit_website_data_manager_new_ephemeral();
    WebKitWebContext* context = webkit_web_context_new_with_website_data_manager(data);
    g_object_unref(data);
    // Online: the only model under which repeated pages come from the server each time.
    webkit_web_context_set_cache_model(context, WEBKIT_CACHE_MODEL_DOCUMENT_VIEWER);
    view_ = WEBKIT_WEB_VIEW(webkit_web_view_new_with_context(context));
    g_object_unref(context);
    g_object_ref_sink(view_);
    webkit_web_view_set_zoom_level(view_, 1.0);  // medium text size

    g_signal_connect(view_, "script-dialog", G_CALLBACK(SuppressScriptDialog), nullptr);
    g_signal_connect(view_, "permission-request", G_CALLBACK(DenyPermission), nullptr);
    g_signal_connect(view_, "authenticate", G_CALLBACK(CancelAuthentication), nullptr);
    g_signal_connect(view_, "run-file-chooser", G_CALLBACK(CancelFileChooser), nullptr);
    g_signal_connect(view_, "show-notification", G_CALLBACK(SuppressNotification), nullptr);
    g_signal_connect(view_, "create", G_CALLBACK(RefuseNewWindow), nullptr);
    g_signal_connect(view_, "load-failed-with-tls-errors", G_CALLBACK(SilenceTlsError), nullptr);
    g_signal_connect(view_, "destroy", G_CALLBACK(ForgetView), nullptr);
    g_signal_connect(view_, "load-changed", G_CALLBACK(OnLoadChanged), this);
    g_signal_connect(view_, "load-failed", G_CALLBACK(OnLoadFailed), this);
    g_signal_connect(view_, "notify::uri", G_CALLBACK(OnUriChanged), this);
    g_signal_connect(view_, "decide-policy", G_CALLBACK(OnDecidePolicy), this);
    g_signal_connect(view_, "destroy", G_CALLBACK(OnViewDestroyed), this);
    liveView = view_;
}

BrowserView::~BrowserView() {
    if (destroyedWhileRaising_) *destroyedWhileRaising_ = true;
    if (liveView == view_) liveView = nullptr;
    g_signal_handlers_disconnect_by_data(view_, this);
    g_object_unref(view_);
}

void BrowserView::Navigate(const std::string& address) {
    // The view takes the new address at once, before the load has even started; the
    // shown document stays what Address() reports until the new one commits.
    provisional_ = true;
    webkit_web_view_load_uri(view_, Cp936ToUtf8(address).c_str());
}

std::string BrowserView::Address() const { return Utf8ToCp936(notifiedUri_ ? *notifiedUri_ : documentUri_); }

void BrowserView::RaiseNavigated(const char* uri) {
    if (!navigated_ || viewDestroyed_) return;
    pendingUris_.emplace_back(uri ? uri : "");
    // A handler that pumps the main loop (the HTTP client's cookie wait) may see more
    // navigations complete: they wait here, as the browser on Windows waits for the
    // handler, so that each run keeps its own address and the last one's results stay.
    if (destroyedWhileRaising_) return;  // a raise further down the stack delivers it
    bool destroyed = false;
    destroyedWhileRaising_ = &destroyed;
    while (!pendingUris_.empty()) {
        notifiedUri_ = std::move(pendingUris_.front());
        pendingUris_.pop_front();
        navigated_();
        // Closing the window inside the handler may have ended this object.
        if (destroyed) return;
        notifiedUri_.reset();
    }
    destroyedWhileRaising_ = nullptr;
}

// The window is closing: navigations still waiting to be raised have nobody to show
// their results to.
void BrowserView::OnViewDestroyed(GtkWidget*, gpointer data) {
    auto* self = static_cast<BrowserView*>(data);
    self->viewDestroyed_ = true;
    self->pendingUris_.clear();
}

// The top page: its navigation is complete once the new document has been committed;
// after a 302 the view's address is already the final one.
void BrowserView::OnLoadChanged(WebKitWebView* view, WebKitLoadEvent event, gpointer data) {
    auto* self = static_cast<BrowserView*>(data);
    switch (event) {
    case WEBKIT_LOAD_STARTED:
        self->provisional_ = true;
        break;
    case WEBKIT_LOAD_COMMITTED: {
        self->provisional_ = false;
        const char* uri = webkit_web_view_get_uri(view);
        self->documentUri_ = uri ? uri : "";
        self->RaiseNavigated(uri);
        break;
    }
    case WEBKIT_LOAD_FINISHED: {
        // A load that finishes after a newer navigation was asked for is the old
        // document's; the newer one is still pending.
        const char* uri = webkit_web_view_get_uri(view);
        if (self->documentUri_ == (uri ? uri : "")) self->provisional_ = false;
        break;
    }
    default:
        break;
    }
}

// A top-level load that fails before its commit leaves the old document in place.
// No error page is loaded: it would complete a navigation nobody asked for.
gboolean BrowserView::OnLoadFailed(WebKitWebView*, WebKitLoadEvent, gchar* failingUri, GError*, gpointer data) {
    // The shown document's own load, cancelled by a newer navigation, leaves that one pending.
    auto* self = static_cast<BrowserView*>(data);
    if (self->documentUri_ != (failingUri ? failingUri : "")) self->provisional_ = false;
    return TRUE;
}

// Same-document changes (fragment, history.pushState) move the top document's address
// without a load. During a load the view reports the address being loaded instead,
// which is not yet the document's.
void BrowserView::OnUriChanged(WebKitWebView* view, GParamSpec*, gpointer data) {
    auto* self = static_cast<BrowserView*>(data);
    if (self->provisional_ || webkit_web_view_is_loading(view)) return;
    const char* uri = webkit_web_view_get_uri(view);
    self->documentUri_ = uri ? uri : "";
}

// Frames: WebKitGTK reports only the main frame's load events, but asks once for every
// sub-frame document's response (images, scripts and requests of a page are not asked
// about), for cross-origin frames too.
gboolean BrowserView::OnDecidePolicy(WebKitWebView*, WebKitPolicyDecision* decision, WebKitPolicyDecisionType type,
                                     gpointer data) {
    if (type != WEBKIT_POLICY_DECISION_TYPE_RESPONSE) return FALSE;
    auto* response = WEBKIT_RESPONSE_POLICY_DECISION(decision);
    // What cannot be shown would become a download: the program keeps no files.
    if (!webkit_response_policy_decision_is_mime_type_supported(response)) {
        webkit_policy_decision_ignore(decision);
        return TRUE;
    }
    if (webkit_response_policy_decision_is_main_frame_main_resource(response)) return FALSE;
    static_cast<BrowserView*>(data)->RaiseNavigated(
        webkit_uri_response_get_uri(webkit_response_policy_decision_get_response(response)));
    return FALSE;
}

}  // namespace platform::gtk

namespace platform::linux_backend {
namespace {

struct CookieFetch {
    GMainLoop* loop = nullptr;
    std::string header;
    bool done = false;
};

void OnCookiesReady(GObject* manager, GAsyncResult* result, gpointer data) {
    std::unique_ptr<std::shared_ptr<CookieFetch>> holder(static_cast<std::shared_ptr<CookieFetch>*>(data));
    CookieFetch& fetch = **holder;
    GList* cookies = webkit_cookie_manager_get_cookies_finish(WEBKIT_COOKIE_MANAGER(manager), result, nullptr);
    for (GList* item = cookies; item; item = item->next) {
        auto* cookie = static_cast<SoupCookie*>(item->data);
        if (!fetch.header.empty()) fetch.header += "; ";
        fetch.header += soup_cookie_get_name(cookie);
        fetch.header += '=';
        fetch.header += soup_cookie_get_value(cookie);
    }
    g_list_free_full(cookies, reinterpret_cast<GDestroyNotify>(soup_cookie_free));
    fetch.done = true;
    if (fetch.loop) g_main_loop_quit(fetch.loop);
}

gboolean GiveUpOnCookies(gpointer loop) {
    g_main_loop_quit(static_cast<GMainLoop*>(loop));
    return G_SOURCE_REMOVE;
}

}  // namespace

// The cookie store answers asynchronously through the main loop, so the caller waits
// in a nested loop, for three seconds at most.
std::string CookieHeaderFor(const std::string& url) {
    // A caller inside another caller's wait gets nothing rather than a wait within a
    // wait, whose end would hold up the outer one.
    static bool waiting = false;
    WebKitWebView* view = platform::gtk::LiveBrowserView();
    if (!view || url.empty() || waiting) return {};
    WebKitWebsiteDataManager* data = webkit_web_context_get_website_data_manager(webkit_web_view_get_context(view));
    WebKitCookieManager* manager = webkit_website_data_manager_get_cookie_manager(data);
    if (!manager) return {};
    g_object_ref(manager);
    g_object_ref(view);

    auto fetch = std::make_shared<CookieFetch>();
    fetch->loop = g_main_loop_new(nullptr, FALSE);
    GCancellable* cancellable = g_cancellable_new();
    webkit_cookie_manager_get_cookies(manager, Cp936ToUtf8(url).c_str(), cancellable, OnCookiesReady,
                                      new std::shared_ptr<CookieFetch>(fetch));
    if (!fetch->done) {
        GSource* timeout = g_timeout_source_new(3000);
        g_source_set_callback(timeout, GiveUpOnCookies, fetch->loop, nullptr);
        g_source_attach(timeout, nullptr);
        // A window closed meanwhile ends the wait too: nobody is left to show the answer.
        const gulong closed = g_signal_connect_swapped(view, "destroy", G_CALLBACK(g_main_loop_quit), fetch->loop);
        waiting = true;
        g_main_loop_run(fetch->loop);
        waiting = false;
        if (g_signal_handler_is_connected(view, closed)) g_signal_handler_disconnect(view, closed);
        g_source_destroy(timeout);  // harmless when it has fired already
        g_source_unref(timeout);
        if (!fetch->done) g_cancellable_cancel(cancellable);
    }
    g_main_loop_unref(fetch->loop);
    fetch->loop = nullptr;
    g_object_unref(cancellable);
    g_object_unref(manager);
    g_object_unref(view);
    return fetch->done ? fetch->header : std::string();
}

}  // namespace platform::linux_backend
