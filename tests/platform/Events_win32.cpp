// The calling thread's message queue: dispatching, a WM_QUIT left in place, and the
// message-aware timed wait.
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "platform/Events.h"
#include "CountingWindow_win32.h"

namespace {

TEST(EventsWin32, TheSystemIsOfTheNtFamily) { EXPECT_EQ(platform::GetOsKind(), 3); }

TEST(EventsWin32, ProcessEventsDispatchesPendingMessagesAndLeavesWmQuitQueued) {
    CountingWindow window;
    PostMessageW(window.handle, WM_APP, 0, 0);
    PostQuitMessage(7);
    PostMessageW(window.handle, WM_APP, 0, 0);

    platform::ProcessEvents();

    EXPECT_EQ(window.count, 2);
    MSG message{};
    ASSERT_TRUE(PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(message.message, static_cast<UINT>(WM_QUIT));
    EXPECT_EQ(message.wParam, 7u);
}

TEST(EventsWin32, WithoutInputNothingCountsAsPendingInput) {
    CountingWindow window;
    PostMessageW(window.handle, WM_APP, 0, 0);
    EXPECT_FALSE(platform::InputPending());
    EXPECT_EQ(window.count, 0);
}

TEST(EventsWin32, TheTimedWaitDispatchesWhatArrivesMeanwhile) {
    CountingWindow window;
    PostMessageW(window.handle, WM_APP, 0, 0);
    std::thread sender([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window.handle, WM_APP, 0, 0, SMTO_BLOCK, 5000, &result);
    });
    auto begin = std::chrono::steady_clock::now();
    platform::WaitWithEvents(-2000000);  // 200 ms
    auto elapsed = std::chrono::steady_clock::now() - begin;
    sender.join();
    EXPECT_EQ(window.count, 2);
    EXPECT_GE(elapsed, std::chrono::milliseconds(190));
    EXPECT_LT(elapsed, std::chrono::seconds(2));
}

}  // namespace
