// StartHiddenCommand takes its interpreter from the system directory: a program named
// like it in the current folder is not run in its place (the program runs elevated).
// Wine finds its own cmd first either way; Windows searches the current folder first.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "ProgramPath_win32.h"
#include "TempDirectory.h"
#include "platform/Process.h"

namespace {

std::string OutputOf(const std::string& command) {
    auto child = platform::StartHiddenCommand(command);
    std::string output;
    const ULONGLONG deadline = GetTickCount64() + 20000;
    for (;;) {
        const bool ended = child->HasEnded();
        while (std::size_t available = child->BytesAvailable()) {
            auto chunk = child->Read(available);
            if (chunk.empty()) break;
            output.append(chunk.begin(), chunk.end());
        }
        if (ended || GetTickCount64() > deadline) return output;
        Sleep(10);
    }
}

TEST(HiddenProcessWin32, RunsTheSystemsInterpreterNotOneInTheCurrentFolder) {
    TempDirectory current;
    // Any other program will do: the probe exits at once, silent, on these arguments.
    std::filesystem::copy_file(std::filesystem::path(ProgramBesideThisOne(L"shell_probe.exe")), current.Path() / "cmd.exe");
    const auto saved = std::filesystem::current_path();
    std::filesystem::current_path(current.Path());
    const std::string output = OutputOf("echo from the interpreter");
    std::filesystem::current_path(saved);
    EXPECT_EQ(output, "from the interpreter\r\n");
}

}  // namespace
