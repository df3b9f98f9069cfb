#pragma once

namespace platform {

// Runs routine on a new, untracked thread with the default stack size. Nothing waits
// for it; whether it could be started is not reported.
void StartThread(void (*routine)());

}  // namespace platform
