// Hidden commands on POSIX: /bin/sh -c with standard output and standard error on one
// pipe, standard input from /dev/null, and a process group of its own so that a
// time-out can end the shell and everything it started.
#include "platform/Process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <thread>

extern char** environ;

namespace platform {
namespace {

class PosixHiddenProcess final : public HiddenProcess {
public:
    PosixHiddenProcess(pid_t pid, int readEnd) : pid_(pid), readEnd_(readEnd), ended_(false) {}
    PosixHiddenProcess() = default;  // a child that could not be started: ended, no output

    ~PosixHiddenProcess() override {
        if (!HasEnded()) Terminate();
        if (readEnd_ >= 0) ::close(readEnd_);
    }

    std::size_t BytesAvailable() override {
        int available = 0;
        if (readEnd_ < 0 || ::ioctl(readEnd_, FIONREAD, &available) != 0 || available < 0) return 0;
        return static_cast<std::size_t>(available);
    }

    Bytes Read(std::size_t count) override {
        Bytes chunk(count, '\0');
        std::size_t got = 0;
        while (readEnd_ >= 0 && got < count) {
            ssize_t n = ::read(readEnd_, chunk.data() + got, count - got);
            if (n < 0 && errno == EINTR) continue;
            if (n <= 0) break;  // the read end is non-blocking: nothing more now
            got += static_cast<std::size_t>(n);
        }
        chunk.resize(got);
        return chunk;
    }

    bool HasEnded() override {
        if (ended_) return true;
        for (;;) {
            int status = 0;
            pid_t result = ::waitpid(pid_, &status, WNOHANG);
            if (result == pid_) break;
            if (result == 0) return false;
            if (errno == EINTR) continue;
            break;  // ECHILD: already reaped elsewhere (SIGCHLD ignored); it has ended
        }
        ended_ = true;
        return true;
    }

    void Terminate() override {
        if (ended_) return;
        ::kill(-pid_, SIGKILL);
        ::kill(pid_, SIGKILL);
        // SIGKILL ends it at once unless it sits in an uninterruptible wait; do not
        // hang on such a child, leave it to be reaped by nobody.
        const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
        while (!HasEnded() && std::chrono::steady_clock::now() < giveUp) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

private:
    pid_t pid_ = -1;
    int readEnd_ = -1;
    bool ended_ = true;
};

}  // namespace

std::string InterpreterCommandLine(const std::string& command, int /*osKind*/) { return "/bin/sh -c " + command; }

std::unique_ptr<HiddenProcess> StartHiddenCommand(const std::string& command) {
    int ends[2];
    // Close-on-exec: no other child of this process keeps the write end open.
    if (::pipe2(ends, O_CLOEXEC) != 0) return std::make_unique<PosixHiddenProcess>();
    ::fcntl(ends[0], F_SETFL, ::fcntl(ends[0], F_GETFL) | O_NONBLOCK);

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, ends[1], STDERR_FILENO);

    posix_spawnattr_t attributes;
    posix_spawnattr_init(&attributes);
    sigset_t signals;
    sigemptyset(&signals);
    posix_spawnattr_setsigmask(&attributes, &signals);
    // The program's own signal dispositions (an ignored SIGPIPE, say) are not the shell's.
    sigfillset(&signals);
    posix_spawnattr_setsigdefault(&attributes, &signals);
    posix_spawnattr_setpgroup(&attributes, 0);
    posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

    std::string shell = "/bin/sh";
    std::string name = "sh";
    std::string option = "-c";
    std::string commandCopy = command;
    char* argv[] = {name.data(), option.data(), commandCopy.data(), nullptr};
    pid_t pid = -1;
    int failed = ::posix_spawn(&pid, shell.c_str(), &actions, &attributes, argv, environ);
    posix_spawnattr_destroy(&attributes);
    posix_spawn_file_actions_destroy(&actions);
    ::close(ends[1]);

    if (failed != 0) {
        ::close(ends[0]);
        return std::make_unique<PosixHiddenProcess>();
    }
    return std::make_unique<PosixHiddenProcess>(pid, ends[0]);
}

}  // namespace platform
