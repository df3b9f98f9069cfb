// The program itself, lantuo-serial.exe, started as a user starts it: its start routine
// identifies the machine, shows what it found, sends the hidden browser to the
// identification page, and ends with 0 when its window is closed. Wine's control never
// completes a navigation, so this run stops short of the warranty lookup.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "Desktop_win32.h"
#include "ProgramPath_win32.h"
#include "StandinMachine_win32.h"

namespace {

// The child process, ended by force if the test leaves it running.
class ChildProcess {
public:
    explicit ChildProcess(std::wstring path) {
        std::wstring commandLine = L"\"" + path + L"\"";
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                           &info_))
            CloseHandle(info_.hThread);
    }
    ~ChildProcess() {
        if (!info_.hProcess) return;
        if (WaitForSingleObject(info_.hProcess, 0) != WAIT_OBJECT_0) TerminateProcess(info_.hProcess, 99);
        CloseHandle(info_.hProcess);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return info_.hProcess != nullptr; }
    DWORD Id() const { return info_.dwProcessId; }
    // "exit N", or what kept it from ending within the time.
    std::string WaitForExit(DWORD timeoutMilliseconds) const {
        if (WaitForSingleObject(info_.hProcess, timeoutMilliseconds) != WAIT_OBJECT_0) return "still running";
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return "exit " + std::to_string(code);
    }

private:
    PROCESS_INFORMATION info_{};
};

using ProgramRun = StandinMachine;

TEST_F(ProgramRun, ShowsTheMachineSendsTheBrowserToTheSiteAndEndsWithZero) {
    ChildProcess program(ProgramBesideThisOne(L"lantuo-serial.exe"));
    ASSERT_TRUE(program.Started()) << "lantuo-serial.exe not started, error " << GetLastError();
    HWND main = FindMainWindow(program.Id(), 20000);
    ASSERT_NE(main, nullptr) << "no window; " << program.WaitForExit(0);

    bool identified = PumpUntil([&] { return FieldText(main, "序 列 号") == kSerial && SawIdentification(); }, 30000);
    EXPECT_TRUE(identified) << FieldText(main, "序 列 号") << "\nsite log:\n" << site.Log();
    EXPECT_EQ(TextOf(main), "岚拓·产品序列号查询");
    EXPECT_EQ(FieldText(main, "产品型号"), "惠普战66 Pro G1 笔记本电脑");
    // No navigation completes under Wine: nothing is looked up and 查询保修 stays disabled.
    EXPECT_EQ(FieldText(main, "保修信息"), "查询中...");
    HWND warrantyButton = ButtonCaptioned(main, "查询保修");
    ASSERT_NE(warrantyButton, nullptr);
    EXPECT_FALSE(IsWindowEnabled(warrantyButton));
    EXPECT_EQ(SiteRequests("/cn-zh/warrantyresult/"), std::vector<std::string>{});

    PostMessageW(main, WM_CLOSE, 0, 0);
    EXPECT_EQ(program.WaitForExit(20000), "exit 0");
}

}  // namespace
