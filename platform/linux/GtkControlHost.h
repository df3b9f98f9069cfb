#pragma once
// Carries out the property operations on the main window's GTK widgets. The widgets
// belong to the main thread: a call from another thread is queued to the main loop
// and the caller waits until it has been applied, or until the window is gone.

#include <gtk/gtk.h>

#include <array>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

#include "platform/Controls.h"

namespace platform::gtk {

class BrowserView;

class GtkControlHost final : public ControlHost {
public:
    static constexpr std::size_t kControlCount = static_cast<std::size_t>(Control::超文本浏览框1) + 1;
    using WidgetTable = std::array<GtkWidget*, kControlCount>;

    // The one host of the process. Never destroyed: a worker abandoned at exit may
    // still call it, and must meet a live object that tells it the window is gone.
    static GtkControlHost& Instance();

    // Main thread: binds the host to a new window's widgets.
    void Attach(const WidgetTable& widgets, BrowserView* browser);
    // Main thread, when the window is destroyed: later calls do nothing and every
    // waiting caller returns at once.
    void Detach();

    void SetFlag(Control control, Property property, bool value) override;
    void SetText(Control control, Property property, const std::string& value) override;
    std::string GetText(Control control, Property property) override;

private:
    GtkControlHost() = default;

    struct PendingCall;
    static gboolean RunPendingCall(gpointer data);
    static void FreePendingCall(gpointer data);

    // Runs work on the main thread with the current widgets; from the main thread
    // directly, from any other thread through the main loop, waiting for it.
    void OnMainThread(const std::function<void()>& work);
    bool IsMainThread() const;

    void ApplyFlag(Control control, Property property, bool value);
    void ApplyText(Control control, Property property, const std::string& value);
    std::string ReadText(Control control, Property property);

    std::mutex mutex_;
    std::condition_variable applied_;
    bool attached_ = false;
    std::uint64_t generation_ = 0;  // one per window, so a late call never reaches a newer window
    std::thread::id mainThread_;
    // Touched on the main thread only.
    WidgetTable widgets_{};
    BrowserView* browser_ = nullptr;
};

}  // namespace platform::gtk
