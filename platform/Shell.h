#pragma once

#include <atomic>
#include <string>

namespace platform {

// Opens url (code page 936) with the system's handler for it, normally the default
// browser, without waiting. The address is never handed to a command interpreter.
void OpenUrlWithSystem(const std::string& url);

using UrlOpener = void (*)(const std::string& url);
inline std::atomic<UrlOpener> installedUrlOpener{nullptr};

// Tests install a recording opener; nullptr restores the system's.
inline void InstallUrlOpener(UrlOpener opener) { installedUrlOpener.store(opener); }

inline void OpenUrl(const std::string& url) {
    if (UrlOpener opener = installedUrlOpener.load()) opener(url);
    else OpenUrlWithSystem(url);
}

}  // namespace platform
