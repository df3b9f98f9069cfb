// Registry values as text, through the W functions and code page 936.
#include "platform/Registry.h"

#include <windows.h>

#include <vector>

#include "platform/CodePage.h"

namespace platform {
namespace {

HKEY RootKey(RegistryRoot root) {
    switch (root) {
        case RegistryRoot::ClassesRoot: return HKEY_CLASSES_ROOT;
        case RegistryRoot::CurrentUser: return HKEY_CURRENT_USER;
        case RegistryRoot::LocalMachine: return HKEY_LOCAL_MACHINE;
        case RegistryRoot::Users: return HKEY_USERS;
        case RegistryRoot::CurrentConfig: return HKEY_CURRENT_CONFIG;
    }
    return HKEY_LOCAL_MACHINE;
}

std::wstring UpToFirstNul(const wchar_t* data, std::size_t length) {
    std::wstring text(data, length);
    std::size_t nul = text.find(L'\0');
    if (nul != std::wstring::npos) text.resize(nul);
    return text;
}

std::wstring ExpandEnvironmentReferences(const std::wstring& text) {
    DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return text;
    std::vector<wchar_t> expanded(needed + 1, L'\0');
    DWORD written = ExpandEnvironmentStringsW(text.c_str(), expanded.data(), needed + 1);
    if (written == 0 || written > needed + 1) return text;
    return UpToFirstNul(expanded.data(), expanded.size());
}

// Reads a string value from an open key: its type and text, or false.
bool QueryString(HKEY key, const std::wstring& name, DWORD& type, std::wstring& text) {
    // The value may grow between the size query and the read; ask again then.
    for (int attempt = 0; attempt < 3; ++attempt) {
        DWORD size = 0;
        if (RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
        if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
        // Room for a terminator the stored data may lack.
        std::vector<wchar_t> data(size / sizeof(wchar_t) + 2, L'\0');
        DWORD capacity = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                                       &capacity);
        if (result == ERROR_MORE_DATA) continue;
        if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
        text = UpToFirstNul(data.data(), capacity / sizeof(wchar_t));
        return true;
    }
    return false;
}

}  // namespace

std::string ReadRegistryText(RegistryRoot root, const std::string& path) {
    RegistryPath parts = SplitRegistryPath(path);
    HKEY key = nullptr;
    if (RegOpenKeyExW(RootKey(root), Cp936ToWide(parts.key).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return {};
    DWORD type = REG_NONE;
    std::wstring text;
    bool found = QueryString(key, Cp936ToWide(parts.value), type, text);
    RegCloseKey(key);
    if (!found) return {};
    if (type == REG_EXPAND_SZ) text = ExpandEnvironmentReferences(text);
    return WideToCp936(text);
}

}  // namespace platform
