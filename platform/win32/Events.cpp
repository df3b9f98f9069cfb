// The calling thread's window messages, and a timed wait that keeps them dispatched.
#include "platform/Events.h"

#include <windows.h>

namespace platform {
namespace {

// A window that keeps posting to itself, or leaves its paint unvalidated, would keep
// the queue non-empty for ever; a bound per call keeps ProcessEvents from spinning.
constexpr int kMaxDispatchesPerCall = 1000;

constexpr DWORD kWakeMask =
    QS_KEY | QS_MOUSEMOVE | QS_MOUSEBUTTON | QS_POSTMESSAGE | QS_TIMER | QS_PAINT | QS_SENDMESSAGE | QS_HOTKEY;

void SleepFor(std::int64_t relativeDueTime) {
    // 100-nanosecond units to milliseconds, rounded up; Sleep takes less than INFINITE.
    std::uint64_t remaining = (static_cast<std::uint64_t>(-(relativeDueTime + 1)) + 1 + 9999) / 10000;
    while (remaining > 0) {
        DWORD step = remaining > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<DWORD>(remaining);
        Sleep(step);
        remaining -= step;
    }
}

}  // namespace

int GetOsKind() {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof(version);
    if (!GetVersionExA(&version)) return 0;
    switch (version.dwPlatformId) {
        case VER_PLATFORM_WIN32s: return 1;
        case VER_PLATFORM_WIN32_WINDOWS: return 2;
        case VER_PLATFORM_WIN32_NT: return 3;
        default: return 0;
    }
}

void ProcessEvents() {
    MSG message;
    for (int i = 0; i < kMaxDispatchesPerCall; ++i) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE) || message.message == WM_QUIT) return;
        // Removing with PeekMessage rather than GetMessage: it cannot block, and a
        // WM_QUIT that arrived since the look above is put back for the thread's loop.
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return;
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool InputPending() { return GetInputState() != 0; }

void WaitWithEvents(std::int64_t relativeDueTime) {
    if (relativeDueTime >= 0) return;
    HANDLE timer = CreateWaitableTimerW(nullptr, FALSE, nullptr);
    LARGE_INTEGER dueTime;
    dueTime.QuadPart = relativeDueTime;
    if (!timer || !SetWaitableTimer(timer, &dueTime, 0, nullptr, nullptr, FALSE)) {
        if (timer) CloseHandle(timer);
        SleepFor(relativeDueTime);
        return;
    }
    for (;;) {
        DWORD woken = MsgWaitForMultipleObjects(1, &timer, FALSE, INFINITE, kWakeMask);
        if (woken == WAIT_OBJECT_0) break;
        if (woken == WAIT_OBJECT_0 + 1) {
            ProcessEvents();
            continue;
        }
        // The message-aware wait failed: wait for the armed timer alone.
        WaitForSingleObject(timer, INFINITE);
        break;
    }
    CloseHandle(timer);
}

}  // namespace platform
