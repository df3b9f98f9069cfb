#include "platform/Threads.h"

#include <system_error>
#include <thread>

namespace platform {

void StartThread(void (*routine)()) {
    try {
        std::thread(routine).detach();
    } catch (const std::system_error&) {
        // Not reported: the program simply goes on without the worker.
    }
}

}  // namespace platform
