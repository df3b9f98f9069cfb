#pragma once
// Runs one command line hidden through the system's command interpreter and returns
// everything it wrote to standard output and standard error, in arrival order.

#include <chrono>
#include <cstddef>

#include "text/Text.h"

struct CaptureLimits {
    // A child still running after this is ended (with what it started) and what it
    // wrote so far is returned.
    std::chrono::milliseconds timeout = std::chrono::seconds(120);
    // Output beyond this ends the child too: no command may exhaust memory.
    std::size_t maxBytes = 64 * 1024 * 1024;
};

// Blocks until the child has ended (or a limit ended it), keeping the calling thread's
// events serviced meanwhile. Empty when the child wrote nothing or could not be
// started. Nothing written before the end is lost.
Text RunHiddenCommand(const Text& command, const CaptureLimits& limits = {});
