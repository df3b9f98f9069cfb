// The Linux event queue is the calling thread's GLib main context.
#include <gtest/gtest.h>

#include <glib.h>

#include <chrono>
#include <thread>

#include "platform/Events.h"
#include "platform/Process.h"

namespace {

gboolean SetFlag(gpointer flag) {
    *static_cast<bool*>(flag) = true;
    return G_SOURCE_REMOVE;
}

TEST(EventsLinux, TheMainThreadDispatchesTheDefaultContext) {
    EXPECT_EQ(platform::GetOsKind(), 3);
    EXPECT_EQ(platform::InterpreterCommandLine("true", 3), "/bin/sh -c true");
    bool dispatched = false;
    g_idle_add(SetFlag, &dispatched);
    EXPECT_TRUE(platform::InputPending());
    platform::ProcessEvents();
    EXPECT_TRUE(dispatched);
    EXPECT_FALSE(platform::InputPending());
}

TEST(EventsLinux, AWorkerDispatchesItsOwnContextAndNeverTheMainThreads) {
    bool mainThreadEvent = false;
    bool workerEvent = false;
    guint mainSource = g_idle_add(SetFlag, &mainThreadEvent);
    std::thread worker([&] {
        GMainContext* own = g_main_context_new();
        g_main_context_push_thread_default(own);
        GSource* idle = g_idle_source_new();
        g_source_set_callback(idle, SetFlag, &workerEvent, nullptr);
        g_source_attach(idle, own);
        g_source_unref(idle);
        platform::ProcessEvents();
        platform::WaitWithEvents(-10000);
        g_main_context_pop_thread_default(own);
        g_main_context_unref(own);
    });
    worker.join();
    EXPECT_TRUE(workerEvent);
    EXPECT_FALSE(mainThreadEvent);
    g_source_remove(mainSource);
}

TEST(EventsLinux, WaitWithEventsWaitsWithOrWithoutAContextToDispatch) {
    using Clock = std::chrono::steady_clock;
    for (bool onWorker : {false, true}) {
        Clock::duration elapsed{};
        auto wait = [&] {
            auto begin = Clock::now();
            platform::WaitWithEvents(-300000);  // 30 ms
            elapsed = Clock::now() - begin;
        };
        if (onWorker) std::thread(wait).join();
        else wait();
        EXPECT_GE(elapsed, std::chrono::milliseconds(29)) << (onWorker ? "worker" : "main thread");
        EXPECT_LT(elapsed, std::chrono::seconds(2));
    }
}

}  // namespace
