#pragma once
// Starts the stand-in site for a test and stops it when the object goes. Works in
// native Linux tests and in Windows tests under Wine (which start the host program
// through Wine's support for Unix executables). The site stops by itself as well,
// after its lifetime, so no test can leave it running.

#include <string>
#include <vector>

class StandinLauncher {
public:
    // extraArgs go to standin-site, e.g. {"--redirect", "script"}.
    explicit StandinLauncher(std::vector<std::string> extraArgs = {});
    ~StandinLauncher();
    StandinLauncher(const StandinLauncher&) = delete;
    StandinLauncher& operator=(const StandinLauncher&) = delete;

    bool Started() const { return port_ > 0; }
    int Port() const { return port_; }
    std::string Origin() const;  // "http://127.0.0.1:PORT"
    // Every request so far: request line, headers, blank line; CR LF line ends.
    std::string Log() const;
    // The request blocks of the log, each starting with its request line.
    std::vector<std::string> Requests() const;

private:
    std::string base_;  // host path of the port and log files, without extension
    int port_ = 0;
    long long process_ = 0;
};
