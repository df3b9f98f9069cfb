// The Windows backend seen from outside the process: a program whose window is closed
// while its worker is busy ends cleanly with 0, and OpenUrlWithSystem hands the
// address, unchanged and as one argument, to the handler the system has for it.
#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ProgramPath_win32.h"
#include "platform/CodePage.h"
#include "platform/Shell.h"
#include "text/Text.h"

namespace {

struct WindowSearch {
    DWORD processId;
    HWND found;
};

HWND FindProcessWindow(DWORD processId, DWORD timeoutMilliseconds) {
    for (DWORD waited = 0; waited < timeoutMilliseconds; waited += 50) {
        WindowSearch search{processId, nullptr};
        EnumWindows(
            [](HWND window, LPARAM parameter) -> BOOL {
                auto* search = reinterpret_cast<WindowSearch*>(parameter);
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                wchar_t className[64] = {};
                GetClassNameW(window, className, 64);
                if (owner != search->processId || wcscmp(className, L"LantuoSerialMainWindow") != 0) return TRUE;
                search->found = window;
                return FALSE;
            },
            reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    return nullptr;
}

enum class CloseBy { CloseMessage, EscapeKey, SystemMenu };

// Starts the probe with a worker that writes without pause, closes its window, and
// returns the exit code (or a note of what went wrong).
std::string CloseDuringBusyWorker(CloseBy how) {
    std::wstring commandLine = L"\"" + ProgramBesideThisOne(L"shell_probe.exe") + L"\" slow-worker";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return "probe not started";
    std::string outcome;
    HWND window = FindProcessWindow(process.dwProcessId, 15000);
    if (!window) {
        outcome = "no window";
    } else {
        Sleep(300);  // the worker is busy writing by now
        switch (how) {
        case CloseBy::CloseMessage: PostMessageW(window, WM_CLOSE, 0, 0); break;
        case CloseBy::SystemMenu: PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        case CloseBy::EscapeKey:
            PostMessageW(GetWindow(window, GW_CHILD), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
            break;
        }
        if (WaitForSingleObject(process.hProcess, 20000) != WAIT_OBJECT_0) {
            outcome = "still running";
        } else {
            DWORD code = 0;
            GetExitCodeProcess(process.hProcess, &code);
            outcome = "exit " + std::to_string(code);
        }
    }
    if (outcome != "exit 0" && WaitForSingleObject(process.hProcess, 0) != WAIT_OBJECT_0)
        TerminateProcess(process.hProcess, 99);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return outcome;
}

TEST(Win32ShellProcess, ClosingWhileTheWorkerWritesEndsWithZero) {
    EXPECT_EQ(CloseDuringBusyWorker(CloseBy::CloseMessage), "exit 0");
    EXPECT_EQ(CloseDuringBusyWorker(CloseBy::EscapeKey), "exit 0");
    EXPECT_EQ(CloseDuringBusyWorker(CloseBy::SystemMenu), "exit 0");
}

// A URL scheme of the test's own whose handler is the probe, which records the one
// argument it was given. Wine reads handlers from HKEY_CLASSES_ROOT only.
class RecordingUrlHandler {
public:
    static constexpr wchar_t kScheme[] = L"lantuo-test-url";

    RecordingUrlHandler() {
        wchar_t directory[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, directory);
        record_ = std::wstring(directory) + L"lantuo-opened-url.txt";
        DeleteFileW(record_.c_str());
        std::wstring command = L"\"" + ProgramBesideThisOne(L"shell_probe.exe") + L"\" record \"" + record_ + L"\" \"%1\"";
        Set(L"", L"URL:lantuo test");
        Set(L"", L"", L"URL Protocol");
        Set(L"\\shell\\open\\command", command);
    }
    ~RecordingUrlHandler() {
        RegDeleteTreeW(HKEY_CLASSES_ROOT, kScheme);
        DeleteFileW(record_.c_str());
    }

    // What the handler received, once it has run; empty after the time-out.
    std::wstring Received(DWORD timeoutMilliseconds) const {
        for (DWORD waited = 0; waited < timeoutMilliseconds; waited += 50) {
            HANDLE file = CreateFileW(record_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0,
                                      nullptr);
            if (file != INVALID_HANDLE_VALUE) {
                wchar_t buffer[1024] = {};
                DWORD read = 0;
                ReadFile(file, buffer, sizeof(buffer) - sizeof(wchar_t), &read, nullptr);
                CloseHandle(file);
                if (read > 0) return std::wstring(buffer, read / sizeof(wchar_t));
            }
            Sleep(50);
        }
        return {};
    }

private:
    void Set(const std::wstring& subkey, const std::wstring& value, const wchar_t* name = nullptr) {
        HKEY key = nullptr;
        std::wstring path = kScheme + subkey;
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
            return;
        RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(key);
    }

    std::wstring record_;
};

TEST(Win32ShellProcess, OpenUrlHandsTheAddressUnchangedToItsHandler) {
    RecordingUrlHandler handler;
    // Characters a command interpreter would act on must arrive as they are. (A %NAME%
    // of a defined variable is not among them: Wine's ShellExecute expands those.)
    const std::string url = "lantuo-test-url:q=" + Gbk("惠普战66") + " Pro&a=1|b^c<d>%20";
    platform::OpenUrlWithSystem(url);
    EXPECT_EQ(platform::WideToCp936(handler.Received(15000)), url);
}

}  // namespace
