// OpenUrlWithSystem on Linux: xdg-open from PATH gets the address as its one argument,
// untouched by any shell, and is neither waited for nor left as a zombie.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <unistd.h>

#include "TempDirectory.h"
#include "platform/Shell.h"
#include "text/Text.h"

using namespace std::chrono_literals;

namespace {

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

// Children of this process that have ended but were not reaped.
int ZombieChildren() {
    int zombies = 0;
    for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
        std::ifstream stat(entry.path() / "stat");
        std::string line;
        if (!std::getline(stat, line)) continue;
        // pid (comm) state ppid ...: comm may hold spaces, so parse after the last ')'.
        std::istringstream rest(line.substr(line.rfind(')') + 1));
        char state = 0;
        long parent = 0;
        rest >> state >> parent;
        if (state == 'Z' && parent == getpid()) ++zombies;
    }
    return zombies;
}

class OpenUrlWithSystemTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* path = std::getenv("PATH");
        savedPath_ = path ? path : "";
        record_ = dir_.Path() / "opened";
        auto fake = dir_.Write("xdg-open", "#!/bin/sh\nprintf '%s\\n' \"$#\" \"$@\" > \"" + record_.string() +
                                               ".tmp\"\nmv \"" + record_.string() + ".tmp\" \"" +
                                               record_.string() + "\"\n");
        chmod(fake.c_str(), 0755);
        setenv("PATH", (dir_.Path().string() + ":" + savedPath_).c_str(), 1);
    }
    void TearDown() override { setenv("PATH", savedPath_.c_str(), 1); }

    bool WaitForRecord() {
        for (int i = 0; i < 500; ++i) {
            if (std::filesystem::exists(record_)) return true;
            std::this_thread::sleep_for(10ms);
        }
        return false;
    }

    TempDirectory dir_;
    std::filesystem::path record_;
    std::string savedPath_;
};

TEST_F(OpenUrlWithSystemTest, HandsTheAddressAsOneArgumentWithoutAShell) {
    const std::filesystem::path marker = dir_.Path() / "shell-ran";
    // Spaces, quotes, shell syntax and Chinese, as a typed serial number may carry.
    const Text url = Gbk("http://127.0.0.1/Search.aspx?SearchText= 惠普 \"x\";touch ") + marker.string() +
                     " $(touch " + marker.string() + ")&a=`id` ";
    const auto before = std::chrono::steady_clock::now();
    platform::OpenUrlWithSystem(url);
    EXPECT_LT(std::chrono::steady_clock::now() - before, 2s);  // not waited for
    ASSERT_TRUE(WaitForRecord());
    EXPECT_EQ(ReadFile(record_), "1\nhttp://127.0.0.1/Search.aspx?SearchText= 惠普 \"x\";touch " + marker.string() +
                                     " $(touch " + marker.string() + ")&a=`id` \n");
    EXPECT_FALSE(std::filesystem::exists(marker));
    std::this_thread::sleep_for(200ms);
    EXPECT_EQ(ZombieChildren(), 0);
}

TEST_F(OpenUrlWithSystemTest, NothingThatXdgOpenWouldTakeForAnOptionIsLaunched) {
    platform::OpenUrlWithSystem("--help");
    platform::OpenUrlWithSystem("");
    std::this_thread::sleep_for(300ms);
    EXPECT_FALSE(std::filesystem::exists(record_));
}

}  // namespace
