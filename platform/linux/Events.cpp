// The calling thread's events on Linux are those of its GLib main context. A worker
// thread without a context of its own has none to dispatch: the global default
// context belongs to the main thread and is never iterated from another thread.
#include "platform/Events.h"

#include <glib.h>
#include <unistd.h>

#include <chrono>
#include <thread>

namespace platform {
namespace {

// A source that re-arms itself at once would keep "pending" true for ever; a bound
// per call keeps ProcessEvents from spinning.
constexpr int kMaxDispatchesPerCall = 1000;

GMainContext* DispatchableContext() {
    if (GMainContext* own = g_main_context_get_thread_default()) return own;
    return ::gettid() == ::getpid() ? g_main_context_default() : nullptr;
}

// Holds ownership of the calling thread's context for one operation, if it can be had.
class OwnedContext {
public:
    OwnedContext() : context_(DispatchableContext()) {
        if (context_ && !g_main_context_acquire(context_)) context_ = nullptr;
    }
    ~OwnedContext() {
        if (context_) g_main_context_release(context_);
    }
    OwnedContext(const OwnedContext&) = delete;
    OwnedContext& operator=(const OwnedContext&) = delete;
    GMainContext* get() const { return context_; }

private:
    GMainContext* context_;
};

gboolean MarkFired(gpointer fired) {
    *static_cast<bool*>(fired) = true;
    return G_SOURCE_REMOVE;
}

}  // namespace

int GetOsKind() { return 3; }

void ProcessEvents() {
    OwnedContext context;
    if (!context.get()) return;
    for (int i = 0; i < kMaxDispatchesPerCall && g_main_context_pending(context.get()); ++i) {
        g_main_context_iteration(context.get(), FALSE);
    }
}

bool InputPending() {
    OwnedContext context;
    return context.get() && g_main_context_pending(context.get());
}

void WaitWithEvents(std::int64_t relativeDueTime) {
    if (relativeDueTime >= 0) return;
    // 100-nanosecond units to whole milliseconds, rounded up so the wait is never short.
    const std::uint64_t ticks = static_cast<std::uint64_t>(-(relativeDueTime + 1)) + 1;
    const std::uint64_t milliseconds = (ticks + 9999) / 10000;
    OwnedContext context;
    if (!context.get()) {
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
        return;
    }
    bool fired = false;
    const guint interval = milliseconds > G_MAXUINT ? G_MAXUINT : static_cast<guint>(milliseconds);
    GSource* timer = g_timeout_source_new(interval);
    g_source_set_callback(timer, MarkFired, &fired, nullptr);
    g_source_attach(timer, context.get());
    while (!fired) g_main_context_iteration(context.get(), TRUE);
    g_source_destroy(timer);
    g_source_unref(timer);
}

}  // namespace platform
