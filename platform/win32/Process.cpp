// Hidden commands on Windows: the command interpreter with a hidden window, one
// pipe as its standard output and standard error, no standard input. The child is
// started in a job object so that a time-out can end the interpreter together with
// the tool it runs. The program runs elevated, so neither the interpreter nor the tool
// may come from the program's folder or the current folder.
#include "platform/Process.h"

#include <windows.h>

#include <climits>
#include <vector>

#include "platform/CodePage.h"
#include "platform/Events.h"

namespace platform {
namespace {

class Win32HiddenProcess final : public HiddenProcess {
public:
    Win32HiddenProcess() = default;  // a child that could not be started: ended, no output
    Win32HiddenProcess(HANDLE readEnd, HANDLE process, HANDLE job)
        : readEnd_(readEnd), process_(process), job_(job) {}

    ~Win32HiddenProcess() override {
        if (!HasEnded()) Terminate();
        for (HANDLE handle : {readEnd_, process_, job_}) {
            if (handle) CloseHandle(handle);
        }
    }

    std::size_t BytesAvailable() override {
        DWORD available = 0;
        if (!readEnd_ || !PeekNamedPipe(readEnd_, nullptr, 0, nullptr, &available, nullptr)) return 0;
        return available;
    }

    Bytes Read(std::size_t count) override {
        if (!readEnd_ || count == 0) return {};
        if (count > INT_MAX) count = INT_MAX;
        Bytes chunk(count, '\0');
        DWORD got = 0;
        if (!ReadFile(readEnd_, chunk.data(), static_cast<DWORD>(count), &got, nullptr)) got = 0;
        chunk.resize(got);
        return chunk;
    }

    // The handle itself tells the end: an exit code of 259 (STILL_ACTIVE) is a
    // possible exit code, not a sign of life.
    bool HasEnded() override {
        return !process_ || WaitForSingleObject(process_, 0) != WAIT_TIMEOUT;
    }

    void Terminate() override {
        if (!process_) return;
        if (job_) TerminateJobObject(job_, 1);
        TerminateProcess(process_, 1);
        WaitForSingleObject(process_, 5000);
    }

private:
    HANDLE readEnd_ = nullptr;
    HANDLE process_ = nullptr;
    HANDLE job_ = nullptr;
};

// The interpreter's full path in the system directory; the search for a bare name
// would try the program's folder and the current folder first.
std::wstring InterpreterPath(int osKind) {
    wchar_t directory[MAX_PATH] = {};
    UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return {};
    return std::wstring(directory, length) + (osKind > 2 ? L"\\cmd.exe" : L"\\command.com");
}

}  // namespace

std::string InterpreterCommandLine(const std::string& command, int osKind) {
    return (osKind > 2 ? "cmd.exe /c " : "command.com /c ") + command;
}

std::unique_ptr<HiddenProcess> StartHiddenCommand(const std::string& command) {
    SECURITY_ATTRIBUTES security{};
    security.nLength = sizeof(security);
    security.bInheritHandle = TRUE;
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, &security, 0)) return std::make_unique<Win32HiddenProcess>();
    // Only the write end is the child's; the read end stays with us alone.
    SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    startup.wShowWindow = SW_HIDE;
    startup.hStdInput = nullptr;
    startup.hStdOutput = writeEnd;
    startup.hStdError = writeEnd;

    // The command is code page 936 text; the W function keeps it so on any locale.
    const int osKind = GetOsKind();
    std::wstring commandLine = Cp936ToWide(InterpreterCommandLine(command, osKind));
    const std::wstring interpreter = InterpreterPath(osKind);
    if (interpreter.empty()) {
        CloseHandle(readEnd);
        CloseHandle(writeEnd);
        return std::make_unique<Win32HiddenProcess>();
    }
    std::vector<wchar_t> mutableLine(commandLine.begin(), commandLine.end());
    mutableLine.push_back(L'\0');

    // The child inherits it: cmd then looks for the tool on PATH only, not in the
    // current folder first.
    SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", L"1");

    PROCESS_INFORMATION created{};
    // Suspended until it is in the job, so nothing it starts escapes the job.
    BOOL started = CreateProcessW(interpreter.c_str(), mutableLine.data(), nullptr, nullptr, TRUE, CREATE_SUSPENDED, nullptr,
                                  nullptr, &startup, &created);
    CloseHandle(writeEnd);
    if (!started) {
        CloseHandle(readEnd);
        return std::make_unique<Win32HiddenProcess>();
    }
    HANDLE job = CreateJobObjectW(nullptr, nullptr);
    if (job) {
        // A worker abandoned at exit never closes the job: the system's closing of
        // our handles then ends the child and what it started.
        JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
        limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
        SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof(limits));
    }
    if (job && !AssignProcessToJobObject(job, created.hProcess)) {
        CloseHandle(job);
        job = nullptr;
    }
    ResumeThread(created.hThread);
    CloseHandle(created.hThread);
    return std::make_unique<Win32HiddenProcess>(readEnd, created.hProcess, job);
}

}  // namespace platform
