#pragma once

#include <atomic>
#include <cstddef>
#include <string>

namespace platform {

// Opens url (code page 936) with the system's handler for it, normally the default
// browser, without waiting. The address is never handed to a command interpreter.
void OpenUrlWithSystem(const std::string& url);

using UrlOpener = void (*)(const std::string& url);
inline std::atomic<UrlOpener> installedUrlOpener{nullptr};

// Tests install a recording opener; nullptr restores the system's.
inline void InstallUrlOpener(UrlOpener opener) { installedUrlOpener.store(opener); }

// Only web addresses reach the system: the warranty address is derived from wherever
// the site led the browser, and the program runs elevated on Windows, so a file:,
// UNC or other protocol address must not be handed to the shell.
inline bool IsWebAddress(const std::string& url) {
    auto startsWith = [&](const char* scheme) {
        std::size_t i = 0;
        for (; scheme[i]; ++i) {
            if (i >= url.size()) return false;
            char c = url[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
            if (c != scheme[i]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

inline void OpenUrl(const std::string& url) {
    if (UrlOpener opener = installedUrlOpener.load()) opener(url);
    else if (IsWebAddress(url)) OpenUrlWithSystem(url);
}

}  // namespace platform
