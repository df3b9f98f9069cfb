#include "identify/HiddenCommand.h"

#include <algorithm>
#include <memory>

#include "identify/CapturedOutput.h"
#include "identify/EventPump.h"
#include "platform/Process.h"

namespace {

// One read of whatever the pipe announces, within the output bound. False when
// nothing was read.
bool ReadAvailable(platform::HiddenProcess& child, CapturedOutput& output, std::size_t maxBytes) {
    if (output.Size() >= maxBytes) return false;
    std::size_t available = std::min(child.BytesAvailable(), maxBytes - output.Size());
    if (available == 0) return false;
    Bytes chunk = child.Read(available);
    if (chunk.empty()) return false;
    output.Append(chunk);
    return true;
}

}  // namespace

Text RunHiddenCommand(const Text& command, const CaptureLimits& limits) {
    using Clock = std::chrono::steady_clock;
    const Clock::time_point deadline = Clock::now() + limits.timeout;
    std::unique_ptr<platform::HiddenProcess> child = platform::StartHiddenCommand(command);
    CapturedOutput output;

    for (;;) {
        // One chunk per pass; the end is looked at only in a pass that read nothing.
        if (!ReadAvailable(*child, output, limits.maxBytes) && child->HasEnded()) break;
        if (Clock::now() >= deadline || output.Size() >= limits.maxBytes) {
            child->Terminate();
            break;
        }
        PumpPendingEvents();
        DelayWithEvents(1);
    }
    // What the child wrote between the last read and its end is still in the pipe.
    // Something it left running may go on writing, so the draining has a bound too.
    const Clock::time_point drainUntil = Clock::now() + std::chrono::seconds(1);
    while (ReadAvailable(*child, output, limits.maxBytes) && Clock::now() < drainUntil) {
    }
    return output.ToText();
}
