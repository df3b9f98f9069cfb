#include "Desktop_win32.h"

#include <algorithm>
#include <cstdlib>

namespace {

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr, nullptr);
    return out;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

ScopedVariable::ScopedVariable(const std::string& name, const std::string& value) : name_(name) {
    const char* old = std::getenv(name.c_str());
    saved_ = old ? old : "";
    Set(name, value);
}

ScopedVariable::~ScopedVariable() { Set(name_, saved_); }

void ScopedVariable::Set(const std::string& name, const std::string& value) {
    // "NAME=" removes the variable from the runtime's copy, as an empty value should.
    _putenv((name + "=" + value).c_str());
    SetEnvironmentVariableA(name.c_str(), value.empty() ? nullptr : value.c_str());
}

namespace {

std::string PathWith(const TempDirectory& directory) {
    const char* path = std::getenv("PATH");
    return directory.Path().string() + ";" + (path ? path : "");
}

}  // namespace

FakeManagementTool::FakeManagementTool()
    : directory_(), path_("PATH", PathWith(directory_)) {
    auto output = directory_.Write(
        "output.bin",
        "\r\r\n\r\r\nDescription=Computer System Product\r\r\nIdentifyingNumber=5CD0000XYZ\r\r\n"
        "Name=HP ZHAN 66 Pro G1 Notebook PC\r\r\nSKUNumber=\r\r\nUUID=4C4C4544-0000-1010-8000-B2C04F333332\r\r\n"
        "Vendor=HP\r\r\nVersion= \r\r\n\r\r\n\r\r\n");
    directory_.Write("wmic.cmd", "@type \"" + output.string() + "\"\r\n");
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMilliseconds) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMilliseconds;
    for (;;) {
        if (done()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 20)),
                                  QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT) {
                // Leave it for the window's own loop, which ends on it.
                PostQuitMessage(static_cast<int>(message.wParam));
                return done();
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
}

void PumpFor(DWORD milliseconds) {
    PumpUntil([] { return false; }, milliseconds);
}

HWND FindMainWindow(DWORD processId, DWORD timeoutMilliseconds) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    auto look = [&search] {
        EnumWindows(
            [](HWND window, LPARAM parameter) -> BOOL {
                auto* search = reinterpret_cast<Search*>(parameter);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                if (owner != search->processId || ClassOf(window) != L"LantuoSerialMainWindow") return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found != nullptr;
    };
    PumpUntil(look, timeoutMilliseconds);
    return search.found;
}

std::string TextOf(HWND window) {
    if (!window) return "<no window>";
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return "<no answer>";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        return "<no answer>";
    text.resize(copied);
    return Utf8(text);
}

// Child windows come in creation order, each label right before its edit box.
HWND FieldLabelled(HWND mainWindow, const std::string& label) {
    bool afterLabel = false;
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const std::wstring kind = ClassOf(child);
        if (afterLabel && _wcsicmp(kind.c_str(), L"Edit") == 0) return child;
        afterLabel = _wcsicmp(kind.c_str(), L"Static") == 0 && TextOf(child) == label;
    }
    return nullptr;
}

HWND ButtonCaptioned(HWND mainWindow, const std::string& caption) {
    for (HWND child = GetWindow(mainWindow, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (_wcsicmp(ClassOf(child).c_str(), L"Button") == 0 && TextOf(child) == caption) return child;
    }
    return nullptr;
}

std::string FieldText(HWND mainWindow, const std::string& label) {
    HWND field = FieldLabelled(mainWindow, label);
    return field ? TextOf(field) : "<no field " + label + ">";
}

std::string LoggedRequest::Header(const std::string& name) const {
    for (const auto& [key, value] : headers)
        if (SameText(key, name)) return value;
    return {};
}

bool LoggedRequest::HasHeader(const std::string& name) const {
    for (const auto& header : headers)
        if (SameText(header.first, name)) return true;
    return false;
}

std::vector<LoggedRequest> ParseRequests(const std::vector<std::string>& blocks) {
    std::vector<LoggedRequest> requests;
    for (const std::string& block : blocks) {
        LoggedRequest request;
        size_t begin = 0;
        for (size_t end; (end = block.find("\r\n", begin)) != std::string::npos; begin = end + 2) {
            std::string line = block.substr(begin, end - begin);
            if (begin == 0) {
                request.line = line;
                continue;
            }
            size_t colon = line.find(": ");
            if (colon != std::string::npos) request.headers.emplace_back(line.substr(0, colon), line.substr(colon + 2));
        }
        requests.push_back(std::move(request));
    }
    return requests;
}

std::vector<std::string> RequestLinesFor(const std::vector<LoggedRequest>& requests, const std::string& path) {
    std::vector<std::string> lines;
    for (const LoggedRequest& request : requests)
        if (request.line.rfind("GET " + path, 0) == 0) lines.push_back(request.line);
    return lines;
}
