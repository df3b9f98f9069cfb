// RunHiddenCommand with real children of cmd.exe (under Wine in the test runs).
#include <gtest/gtest.h>

#include <windows.h>

#include <chrono>
#include <thread>

#include "identify/HiddenCommand.h"
#include "platform/Events.h"
#include "platform/Process.h"
#include "CountingWindow_win32.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

// ping waits about a second between its echoes: the one pause cmd.exe offers everywhere.
const std::string kPause = "ping -n 2 127.0.0.1 >nul";

TEST(RunHiddenCommandWin32, RunsTheCommandThroughTheInterpreterOfTheSystemsFamily) {
    EXPECT_EQ(platform::GetOsKind(), 3);
    EXPECT_EQ(platform::InterpreterCommandLine("wmic CSPRODUCT list full", 3), "cmd.exe /c wmic CSPRODUCT list full");
    EXPECT_EQ(platform::InterpreterCommandLine("ver", 2), "command.com /c ver");
    EXPECT_EQ(platform::InterpreterCommandLine("ver", 0), "command.com /c ver");
}

// Windows's cmd then looks for the tool on PATH only, not in the current folder first
// (Wine 8's cmd ignores the variable, so its effect cannot be seen here).
TEST(RunHiddenCommandWin32, TellsTheInterpreterNotToSearchTheCurrentFolder) {
    EXPECT_EQ(RunHiddenCommand("echo [%NoDefaultCurrentDirectoryInExePath%]"), "[1]\r\n");
}

TEST(RunHiddenCommandWin32, ReturnsEveryChunkInOrderWithNothingBetween) {
    EXPECT_EQ(RunHiddenCommand("echo one& " + kPause + "& echo two"), "one\r\ntwo\r\n");
}

TEST(RunHiddenCommandWin32, KeepsStandardOutputAndErrorInArrivalOrder) {
    EXPECT_EQ(RunHiddenCommand("echo 1& echo 2 1>&2& echo 3& echo 4 1>&2"), "1\r\n2 \r\n3\r\n4 \r\n");
}

TEST(RunHiddenCommandWin32, NulByteEndsOnlyItsChunk) {
    // The inner cmd /u writes "a", NUL, CR, NUL, LF, NUL; the first line says the
    // output as a whole is not UTF-16LE. Wine's cmd writes "a", NUL and the line end
    // separately, so they arrive as one chunk or as two, depending on timing.
    const Text output = RunHiddenCommand("echo xy& cmd /u /c echo a& " + kPause + "& echo ef");
    EXPECT_TRUE(output == "xy\r\naef\r\n" || output == "xy\r\na\ref\r\n") << output;
}

TEST(RunHiddenCommandWin32, NoOutputGivesTheEmptyTextOnceTheChildHasEnded) {
    EXPECT_EQ(RunHiddenCommand("rem"), "");
}

TEST(RunHiddenCommandWin32, UnknownCommandGivesTheInterpretersComplaintPromptly) {
    auto begin = Clock::now();
    EXPECT_NE(RunHiddenCommand("lantuo-no-such-command"), "");
    EXPECT_LT(Clock::now() - begin, 10s);
}

TEST(RunHiddenCommandWin32, LosesNothingWrittenJustBeforeTheEnd) {
    for (int i = 0; i < 20; ++i) ASSERT_EQ(RunHiddenCommand("echo last"), "last\r\n") << "run " << i;
}

TEST(RunHiddenCommandWin32, TellsTheEndByTheProcessNotByAnExitCodeOf259) {
    CaptureLimits limits;
    limits.timeout = 60s;
    auto begin = Clock::now();
    EXPECT_EQ(RunHiddenCommand("echo x& exit 259", limits), "x\r\n");
    EXPECT_LT(Clock::now() - begin, 10s);
}

TEST(RunHiddenCommandWin32, EndsAChildThatOutlivesTheBound) {
    CaptureLimits limits;
    limits.timeout = 500ms;
    auto begin = Clock::now();
    EXPECT_EQ(RunHiddenCommand("echo early& ping -n 60 127.0.0.1 >nul& echo late", limits), "early\r\n");
    EXPECT_LT(Clock::now() - begin, 15s);
}

TEST(RunHiddenCommandWin32, ConvertsUtf16LeOutput) {
    // cmd /u writes its own commands' output as UTF-16LE without a byte-order mark.
    EXPECT_EQ(RunHiddenCommand("cmd /u /c echo hi"), "hi\r\n");
}

TEST(RunHiddenCommandWin32, AnswersMessagesSentToItsThreadWhileItWaits) {
    CountingWindow window;
    std::thread sender([&] {
        std::this_thread::sleep_for(200ms);
        DWORD_PTR result = 0;
        SendMessageTimeoutW(window.handle, WM_APP, 0, 0, SMTO_BLOCK, 5000, &result);
    });
    RunHiddenCommand(kPause);
    sender.join();
    EXPECT_EQ(window.count, 1);
}

}  // namespace
