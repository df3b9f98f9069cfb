#pragma once
// The calling thread's event queue (window messages on Windows, the thread's GLib
// main context on Linux) and waits that keep it serviced.

#include <cstdint>

namespace platform {

// The operating-system family: 1 Win32s, 2 the Windows 95 family, 3 the NT family,
// 0 anything else. Linux reports 3, the family whose conventions it follows.
int GetOsKind();

// Dispatches the calling thread's pending events until its queue is empty. A quit
// request (WM_QUIT) stays queued for the thread's own loop. On Linux only a context
// the thread may own is dispatched: its thread-default context, or the global
// default context on the process's main thread, never another thread's.
void ProcessEvents();

// Whether keyboard or mouse input waits in the calling thread's queue
// (GetInputState). GLib cannot tell input from other events: on Linux, whether any
// event waits in the context ProcessEvents would dispatch.
bool InputPending();

// Blocks for relativeDueTime (negative, in 100-nanosecond units, as SetWaitableTimer
// takes a relative time) while dispatching the calling thread's events. When no
// timer can be made it sleeps for the same time instead. A due time of 0 or above
// returns at once.
void WaitWithEvents(std::int64_t relativeDueTime);

}  // namespace platform
