#pragma once
// A child process run hidden through the system's command interpreter: its standard
// output and standard error share one pipe, so their bytes keep the order in which
// they were written; it has no standard input.

#include <cstddef>
#include <memory>
#include <string>

#include "platform/Bytes.h"

namespace platform {

class HiddenProcess {
public:
    virtual ~HiddenProcess() = default;

    // Bytes waiting in the pipe now; 0 when none wait or the pipe cannot be asked.
    virtual std::size_t BytesAvailable() = 0;
    // Reads up to count bytes without blocking past what BytesAvailable announced;
    // fewer or none when the read fails.
    virtual Bytes Read(std::size_t count) = 0;
    // Whether the child itself has ended (its handle signalled, or reaped), whatever
    // its exit code. A child that could not be started has ended.
    virtual bool HasEnded() = 0;
    // Ends the child and what it started (its process group on Linux, its job on
    // Windows) and waits briefly for the end. What it wrote stays readable.
    virtual void Terminate() = 0;
};

// The command line the child runs: the interpreter's prefix joined to the command
// as it stands, without quoting. Windows: "cmd.exe /c " when osKind is greater than
// 2 (the NT family), "command.com /c " otherwise. Linux: "/bin/sh -c ".
std::string InterpreterCommandLine(const std::string& command, int osKind);

// Starts the command hidden through the interpreter. Never null: a child that cannot
// be started is returned as one that has ended without output.
std::unique_ptr<HiddenProcess> StartHiddenCommand(const std::string& command);

}  // namespace platform
