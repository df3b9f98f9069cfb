#pragma once
// Keeping the calling thread's events serviced while it waits for a child process.

#include <cstdint>

// Dispatches the thread's pending events, but only when keyboard or mouse input waits
// (GetInputState); otherwise does nothing.
void PumpPendingEvents();

// Blocks for amount × the unit's length while dispatching the thread's events. Units:
// 0 milliseconds (the default), 1 seconds, 2 minutes, 3 hours; any other unit counts
// as milliseconds. A delay of zero or less returns at once.
void DelayWithEvents(std::int32_t amount, std::int32_t unit = 0);

// The timer's due time for such a delay: a relative time in 100-nanosecond units,
// negated (DelayWithEvents(1) gives -10000). 0 for a delay of zero or less; a delay
// beyond the 64-bit range is held at its end rather than wrapping.
std::int64_t DelayDueTime(std::int32_t amount, std::int32_t unit = 0);
