#include "identify/EventPump.h"

#include <limits>

#include "platform/Events.h"

void PumpPendingEvents() {
    if (platform::InputPending()) platform::ProcessEvents();
}

std::int64_t DelayDueTime(std::int32_t amount, std::int32_t unit) {
    double millisecondsPerUnit = 1;
    switch (unit) {
        case 1: millisecondsPerUnit = 1000; break;
        case 2: millisecondsPerUnit = 60000; break;
        case 3: millisecondsPerUnit = 3600000; break;
        default: break;
    }
    const double ticks = static_cast<double>(amount) * millisecondsPerUnit * 10000.0;
    if (ticks <= 0) return 0;
    // Converting a double beyond the range of int64 is undefined; hold it at the end.
    if (ticks >= 9.2e18) return std::numeric_limits<std::int64_t>::min() + 1;
    return -static_cast<std::int64_t>(ticks);
}

void DelayWithEvents(std::int32_t amount, std::int32_t unit) {
    platform::WaitWithEvents(DelayDueTime(amount, unit));
}
