// Opening an address with the system's handler on Win32.
#include "platform/Shell.h"

#include <windows.h>
#include <shellapi.h>

#include "platform/CodePage.h"

namespace platform {

void OpenUrlWithSystem(const std::string& url) {
    if (url.empty()) return;
    // ShellExecuteW hands the address to the handler registered for its scheme; it
    // never goes through a command interpreter, so nothing in it is interpreted.
    std::wstring address = Cp936ToWide(url);
    ShellExecuteW(nullptr, L"open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace platform
