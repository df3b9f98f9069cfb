#include "StandinLauncher.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <csignal>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
extern char** environ;
#endif

namespace {

std::atomic<int> launchCount{0};

int CurrentProcessId() {
#ifdef _WIN32
    return static_cast<int>(GetCurrentProcessId());
#else
    return static_cast<int>(getpid());
#endif
}

// Host paths are Unix paths; under Wine the same file is reached through drive Z:.
std::string LocalPath(const std::string& hostPath) {
#ifdef _WIN32
    std::string path = "Z:" + hostPath;
    for (char& c : path)
        if (c == '/') c = '\\';
    return path;
#else
    return hostPath;
#endif
}

std::string ReadWhole(const std::string& path) {
    std::ifstream in(LocalPath(path), std::ios::binary);
    std::ostringstream contents;
    contents << in.rdbuf();
    return contents.str();
}

}  // namespace

StandinLauncher::StandinLauncher(std::vector<std::string> extraArgs) {
    base_ = "/tmp/lantuo-standin-" + std::to_string(CurrentProcessId()) + "-" + std::to_string(++launchCount);
    std::vector<std::string> args = {LANTUO_STANDIN_SITE_PATH, "--port-file", base_ + ".port",
                                     "--log", base_ + ".log", "--lifetime", "600"};
    args.insert(args.end(), extraArgs.begin(), extraArgs.end());
    std::remove(LocalPath(base_ + ".port").c_str());

#ifdef _WIN32
    std::string commandLine = LocalPath(args[0]);
    for (size_t i = 1; i < args.size(); ++i) commandLine += " \"" + args[i] + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
        return;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
#else
    std::vector<char*> argv;
    for (auto& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return;
    process_ = pid;
#endif

    // The port file appears once the site listens.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (std::chrono::steady_clock::now() < deadline) {
        int port = std::atoi(ReadWhole(base_ + ".port").c_str());
        if (port > 0) {
            port_ = port;
            return;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

StandinLauncher::~StandinLauncher() {
    // Deleting the port file stops the site; a native test also ends it at once.
    std::remove(LocalPath(base_ + ".port").c_str());
#ifndef _WIN32
    if (process_ > 0) {
        kill(static_cast<pid_t>(process_), SIGKILL);
        waitpid(static_cast<pid_t>(process_), nullptr, 0);
    }
#else
    // Give the site its 100 ms to notice before its log goes.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
#endif
    std::remove(LocalPath(base_ + ".log").c_str());
}

std::string StandinLauncher::Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::string StandinLauncher::Log() const { return ReadWhole(base_ + ".log"); }

std::vector<std::string> StandinLauncher::Requests() const {
    std::vector<std::string> requests;
    std::string log = Log();
    size_t begin = 0;
    for (size_t end; (end = log.find("\r\n\r\n", begin)) != std::string::npos; begin = end + 4)
        requests.push_back(log.substr(begin, end + 2 - begin));
    return requests;
}
