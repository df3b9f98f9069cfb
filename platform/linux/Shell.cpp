#include "platform/Shell.h"

#include <glib.h>

#include "platform/CodePage.h"

namespace platform {

// xdg-open, found on PATH, gets the address as its one argument: no shell ever sees
// it, since it carries firmware values and the user's typing. GLib's spawn without
// G_SPAWN_DO_NOT_REAP_CHILD forks twice, so the opener runs detached and leaves no
// zombie behind, and nobody waits for it.
void OpenUrlWithSystem(const std::string& url) {
    // xdg-open would take a leading '-' for an option; no address starts with one.
    if (url.empty() || url.front() == '-') return;
    std::string address = Cp936ToUtf8(url);
    char program[] = "xdg-open";
    char* argv[] = {program, address.data(), nullptr};
    g_spawn_async(nullptr, argv, nullptr,
                  static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_STDOUT_TO_DEV_NULL), nullptr,
                  nullptr, nullptr, nullptr);
}

}  // namespace platform
