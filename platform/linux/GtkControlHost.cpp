#include "platform/linux/GtkControlHost.h"

#include <memory>

#include "platform/CodePage.h"
#include "platform/linux/BrowserView.h"

namespace platform::gtk {

struct GtkControlHost::PendingCall {
    GtkControlHost* host;
    std::uint64_t generation;
    std::function<void()> work;
    bool done = false;  // guarded by host->mutex_
};

GtkControlHost& GtkControlHost::Instance() {
    static auto* host = new GtkControlHost;
    return *host;
}

void GtkControlHost::Attach(const WidgetTable& widgets, BrowserView* browser) {
    std::lock_guard lock(mutex_);
    widgets_ = widgets;
    browser_ = browser;
    mainThread_ = std::this_thread::get_id();
    ++generation_;
    attached_ = true;
}

void GtkControlHost::Detach() {
    {
        std::lock_guard lock(mutex_);
        attached_ = false;
        ++generation_;
        widgets_.fill(nullptr);
        browser_ = nullptr;
    }
    applied_.notify_all();
}

bool GtkControlHost::IsMainThread() const { return std::this_thread::get_id() == mainThread_; }

void GtkControlHost::OnMainThread(const std::function<void()>& work) {
    std::unique_lock lock(mutex_);
    if (!attached_) return;
    if (IsMainThread()) {
        lock.unlock();
        work();
        return;
    }
    // An idle source rather than g_main_context_invoke: invoke runs the function on
    // the calling thread whenever the main loop is not running at that moment (as
    // during the created handler), and GTK must only be touched by the main thread.
    auto call = std::make_shared<PendingCall>(PendingCall{this, generation_, work});
    GSource* source = g_idle_source_new();
    g_source_set_priority(source, G_PRIORITY_DEFAULT);
    g_source_set_callback(source, &GtkControlHost::RunPendingCall, new std::shared_ptr<PendingCall>(call),
                          &GtkControlHost::FreePendingCall);
    g_source_attach(source, nullptr);
    g_source_unref(source);
    const std::uint64_t generation = generation_;
    applied_.wait(lock, [&] { return call->done || !attached_ || generation_ != generation; });
}

gboolean GtkControlHost::RunPendingCall(gpointer data) {
    PendingCall& call = **static_cast<std::shared_ptr<PendingCall>*>(data);
    GtkControlHost& host = *call.host;
    bool current;
    {
        std::lock_guard lock(host.mutex_);
        current = host.attached_ && host.generation_ == call.generation;
    }
    // Runs on the main thread, which alone detaches: the widgets stay valid meanwhile.
    if (current) call.work();
    {
        std::lock_guard lock(host.mutex_);
        call.done = true;
    }
    host.applied_.notify_all();
    return G_SOURCE_REMOVE;
}

void GtkControlHost::FreePendingCall(gpointer data) { delete static_cast<std::shared_ptr<PendingCall>*>(data); }

void GtkControlHost::SetFlag(Control control, Property property, bool value) {
    OnMainThread([=, this] { ApplyFlag(control, property, value); });
}

void GtkControlHost::SetText(Control control, Property property, const std::string& value) {
    OnMainThread([=, this] { ApplyText(control, property, value); });
}

std::string GtkControlHost::GetText(Control control, Property property) {
    std::string result;
    OnMainThread([&, this] { result = ReadText(control, property); });
    return result;
}

void GtkControlHost::ApplyFlag(Control control, Property property, bool value) {
    GtkWidget* widget = widgets_[static_cast<std::size_t>(control)];
    if (!widget) return;
    if (property == Property::Visible) gtk_widget_set_visible(widget, value);
    else if (property == Property::Disabled) gtk_widget_set_sensitive(widget, !value);
}

void GtkControlHost::ApplyText(Control control, Property property, const std::string& value) {
    GtkWidget* widget = widgets_[static_cast<std::size_t>(control)];
    if (!widget) return;
    if (control == Control::超文本浏览框1) {
        if (property == Property::Address && browser_) browser_->Navigate(value);
        return;
    }
    if (property != Property::Text) return;
    const std::string utf8 = Cp936ToUtf8(value);
    if (GTK_IS_ENTRY(widget)) gtk_entry_set_text(GTK_ENTRY(widget), utf8.c_str());
    else if (GTK_IS_LABEL(widget)) gtk_label_set_text(GTK_LABEL(widget), utf8.c_str());
    else if (GTK_IS_BUTTON(widget)) gtk_button_set_label(GTK_BUTTON(widget), utf8.c_str());
}

std::string GtkControlHost::ReadText(Control control, Property property) {
    GtkWidget* widget = widgets_[static_cast<std::size_t>(control)];
    if (!widget) return {};
    if (control == Control::超文本浏览框1) {
        return (property == Property::Address && browser_) ? browser_->Address() : std::string();
    }
    if (property != Property::Text) return {};
    const char* utf8 = nullptr;
    if (GTK_IS_ENTRY(widget)) utf8 = gtk_entry_get_text(GTK_ENTRY(widget));
    else if (GTK_IS_LABEL(widget)) utf8 = gtk_label_get_text(GTK_LABEL(widget));
    else if (GTK_IS_BUTTON(widget)) utf8 = gtk_button_get_label(GTK_BUTTON(widget));
    return utf8 ? Utf8ToCp936(utf8) : std::string();
}

}  // namespace platform::gtk
