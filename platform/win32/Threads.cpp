// Untracked worker threads on Win32.
#include "platform/Threads.h"

#include <windows.h>

namespace platform {
namespace {

using Routine = void (*)();

DWORD WINAPI RunRoutine(void* parameter) {
    auto* routine = static_cast<Routine*>(parameter);
    Routine body = *routine;
    delete routine;
    body();
    return 0;
}

}  // namespace

void StartThread(void (*routine)()) {
    if (!routine) return;
    // The routine's address travels in a heap cell: a function pointer does not
    // portably fit the thread parameter.
    auto* parameter = new Routine(routine);
    HANDLE thread = CreateThread(nullptr, 0, RunRoutine, parameter, 0, nullptr);
    if (!thread) {
        delete parameter;
        return;
    }
    CloseHandle(thread);  // untracked: nothing waits for it
}

}  // namespace platform
