// A child process for the window backend's tests, in one of two roles:
//   shell_probe slow-worker      the main window with a worker that writes to the
//                                controls without pause until the process ends;
//                                exits with what the start routine returns.
//   shell_probe record FILE ARG  writes ARG (as given, UTF-16) to FILE: a stand-in
//                                handler that a test registers for a URL scheme.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>

#include "../ShellTestLayout.h"
#include "platform/Controls.h"
#include "platform/Threads.h"
#include "platform/Window.h"

namespace {

std::string* workerText = nullptr;  // released at exit, as the program's globals are

void ReleaseWorkerText() {
    delete workerText;
    workerText = nullptr;
}

void SlowWorker() {
    using platform::Control;
    using platform::Property;
    for (unsigned round = 0;; ++round) {
        std::string text = std::to_string(round);
        platform::SetControlProperty(Control::编辑框1, Property::Text, text);
        platform::SetControlProperty(Control::编辑框2, Property::Visible, round % 2 == 0);
        std::string shown = platform::GetControlProperty(Control::编辑框1, Property::Text);
        (void)shown;
        Sleep(1);
    }
}

void OnCreated() { platform::StartThread(SlowWorker); }

int RunSlowWorker() {
    platform::InitializeProcess();
    workerText = new std::string("in use");
    std::atexit(ReleaseWorkerText);
    platform::WindowHandlers handlers;
    handlers.created = OnCreated;
    platform::RunMainWindow(ShellTestLayout(), handlers);
    return 0;
}

int Record(const wchar_t* file, const wchar_t* argument) {
    HANDLE out = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) return 2;
    DWORD written = 0;
    WriteFile(out, argument, static_cast<DWORD>(wcslen(argument) * sizeof(wchar_t)), &written, nullptr);
    CloseHandle(out);
    return 0;
}

}  // namespace

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return 3;
    std::wstring role = count > 1 ? arguments[1] : L"";
    if (role == L"slow-worker") return RunSlowWorker();
    if (role == L"record" && count == 4) return Record(arguments[2], arguments[3]);
    return 3;
}
