// standin-site: a stand-in for the support and spare-parts sites on 127.0.0.1, for
// the tests and the demo. See SupportSite.h for what it answers.
//
// It never outlives its purpose: it stops after --lifetime seconds, when its parent
// process ends, or when its port file is deleted (the way a test under Wine, which
// cannot signal it, tells it to stop).

#include <httplib.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <thread>

#include "RequestLog.h"
#include "StandinOptions.h"
#include "SupportSite.h"

#ifndef LANTUO_STANDIN_PAGES
#define LANTUO_STANDIN_PAGES "pages"
#endif

namespace {

// Written under another name first, so a reader never sees a half-written number.
bool WritePortFile(const std::string& path, int port) {
    std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::trunc);
        out << port << "\n";
        if (!out) return false;
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

[[noreturn]] void Watch(const standin::Options& options) {
    const pid_t parent = getppid();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(options.lifetimeSeconds);
    for (;;) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        bool expired = std::chrono::steady_clock::now() >= deadline;
        bool orphaned = getppid() != parent;
        bool released = !options.portFile.empty() && !std::filesystem::exists(options.portFile);
        if (expired || orphaned || released) {
            std::fflush(nullptr);
            // Handlers may be hanging on purpose: leave without waiting for them.
            _exit(0);
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = standin::ParseOptions(std::vector<std::string>(argv + 1, argv + argc), error);
    if (!options) {
        std::cerr << "standin-site: " << error << "\n" << standin::kUsage;
        return 2;
    }
    if (options->pagesDir.empty()) options->pagesDir = LANTUO_STANDIN_PAGES;

    standin::RequestLog log(options->logFile);
    standin::SupportSite site(*options, log);
    httplib::Server server;
    // Hanging answers hold their thread until the site stops; a browser keeps several
    // connections open besides. Enough threads that neither starves the other.
    server.new_task_queue = [] { return new httplib::ThreadPool(32); };
    site.Install(server);

    int port = options->port;
    if (port == 0) {
        port = server.bind_to_any_port("127.0.0.1");
    } else if (!server.bind_to_port("127.0.0.1", port)) {
        port = -1;
    }
    if (port <= 0) {
        std::cerr << "standin-site: cannot listen on 127.0.0.1:" << options->port << "\n";
        return 1;
    }
    if (!options->portFile.empty() && !WritePortFile(options->portFile, port)) {
        std::cerr << "standin-site: cannot write " << options->portFile << "\n";
        return 1;
    }
    // Without a port file the port goes to standard output, for a person or a script.
    if (options->portFile.empty()) std::cout << port << std::endl;

    std::thread(Watch, *options).detach();
    server.listen_after_bind();
    return 0;
}
