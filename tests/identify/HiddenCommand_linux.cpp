// RunHiddenCommand with real children of /bin/sh.
#include <gtest/gtest.h>

#include <glib.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "TempDirectory.h"
#include "identify/HiddenCommand.h"

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

namespace {

TEST(RunHiddenCommandLinux, ReturnsEveryChunkInOrderWithNothingBetween) {
    EXPECT_EQ(RunHiddenCommand("printf one; sleep 0.05; printf two; sleep 0.05; printf three"), "onetwothree");
}

TEST(RunHiddenCommandLinux, KeepsStandardOutputAndErrorInArrivalOrder) {
    EXPECT_EQ(RunHiddenCommand("printf 1; printf 2 >&2; sleep 0.02; printf 3; sleep 0.02; printf 4 >&2"), "1234");
}

TEST(RunHiddenCommandLinux, NulByteEndsOnlyItsChunk) {
    EXPECT_EQ(RunHiddenCommand("printf 'ab\\000cd'; sleep 0.2; printf ef"), "abef");
}

TEST(RunHiddenCommandLinux, NoOutputAndNoInputGiveTheEmptyTextOnceTheChildHasEnded) {
    EXPECT_EQ(RunHiddenCommand("true"), "");
    // Standard input is /dev/null: a child that reads it ends at once.
    auto begin = Clock::now();
    EXPECT_EQ(RunHiddenCommand("cat"), "");
    EXPECT_LT(Clock::now() - begin, 5s);
}

TEST(RunHiddenCommandLinux, UnknownCommandGivesTheInterpretersComplaint) {
    Text output = RunHiddenCommand("lantuo-no-such-command");
    EXPECT_NE(output.find("not found"), Text::npos) << output;
}

TEST(RunHiddenCommandLinux, LosesNothingWrittenJustBeforeTheEnd) {
    EXPECT_EQ(RunHiddenCommand("head -c 300000 /dev/zero | tr '\\000' x"), std::string(300000, 'x'));
    for (int i = 0; i < 30; ++i) ASSERT_EQ(RunHiddenCommand("printf last"), "last") << "run " << i;
}

TEST(RunHiddenCommandLinux, EndsAChildThatOutlivesTheBoundWithAllItStarted) {
    TempDirectory directory;
    const std::filesystem::path late = directory.Path() / "late";
    CaptureLimits limits;
    limits.timeout = 300ms;
    auto begin = Clock::now();
    Text output = RunHiddenCommand("printf early; (sleep 1; echo > '" + late.string() + "') & sleep 30", limits);
    EXPECT_EQ(output, "early");
    EXPECT_LT(Clock::now() - begin, 5s);
    std::this_thread::sleep_for(1500ms);
    EXPECT_FALSE(std::filesystem::exists(late)) << "the background child survived";
}

TEST(RunHiddenCommandLinux, EndsAChildWhoseOutputPassesTheBound) {
    CaptureLimits limits;
    limits.maxBytes = 100000;
    Text output = RunHiddenCommand("yes", limits);
    EXPECT_LE(output.size(), limits.maxBytes);
    EXPECT_GE(output.size(), 90000u);
}

TEST(RunHiddenCommandLinux, ConvertsUtf16LeOutput) {
    // "Name=战\r\n" with a byte-order mark; 战 is D5 BD in code page 936.
    EXPECT_EQ(RunHiddenCommand("printf '\\377\\376N\\000a\\000m\\000e\\000=\\000\\030\\142\\r\\000\\n\\000'"),
              "Name=\xD5\xBD\r\n");
}

TEST(RunHiddenCommandLinux, ServicesTheMainThreadsEventsWhileItWaits) {
    bool dispatched = false;
    g_idle_add(
        [](gpointer flag) {
            *static_cast<bool*>(flag) = true;
            return G_SOURCE_REMOVE;
        },
        &dispatched);
    RunHiddenCommand("sleep 0.1");
    EXPECT_TRUE(dispatched);
}

}  // namespace
