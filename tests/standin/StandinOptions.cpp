#include "StandinOptions.h"

#include <cstdlib>

namespace standin {

const char* const kUsage =
    "usage: standin-site [--port N] [--port-file PATH] [--log PATH] [--pages DIR]\n"
    "                    [--redirect 302|script|none] [--fault none|slow|empty|error|hang|cut|lf]\n"
    "                    [--slow-ms N] [--lifetime SECONDS]\n";

std::optional<RedirectMode> ParseRedirectMode(const std::string& name) {
    if (name == "302") return RedirectMode::Http302;
    if (name == "script") return RedirectMode::Script;
    if (name == "none") return RedirectMode::None;
    return std::nullopt;
}

std::optional<FaultMode> ParseFaultMode(const std::string& name) {
    if (name == "none") return FaultMode::None;
    if (name == "slow") return FaultMode::Slow;
    if (name == "empty") return FaultMode::Empty;
    if (name == "error") return FaultMode::SiteError;
    if (name == "hang") return FaultMode::Hang;
    if (name == "cut") return FaultMode::Cut;
    if (name == "lf") return FaultMode::LfOnly;
    return std::nullopt;
}

namespace {

std::optional<int> ParseCount(const std::string& text, int max) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    for (char c : text)
        if (c < '0' || c > '9') return std::nullopt;
    int value = std::atoi(text.c_str());
    if (value > max) return std::nullopt;
    return value;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (i + 1 >= args.size()) {
            error = "missing value after " + name;
            return std::nullopt;
        }
        const std::string& value = args[++i];
        bool ok = true;
        if (name == "--port") {
            auto port = ParseCount(value, 65535);
            ok = port.has_value();
            if (ok) options.port = *port;
        } else if (name == "--port-file") {
            options.portFile = value;
        } else if (name == "--log") {
            options.logFile = value;
        } else if (name == "--pages") {
            options.pagesDir = value;
        } else if (name == "--redirect") {
            auto mode = ParseRedirectMode(value);
            ok = mode.has_value();
            if (ok) options.redirect = *mode;
        } else if (name == "--fault") {
            auto mode = ParseFaultMode(value);
            ok = mode.has_value();
            if (ok) options.fault = *mode;
        } else if (name == "--slow-ms") {
            auto ms = ParseCount(value, 600000);
            ok = ms.has_value();
            if (ok) options.slowMilliseconds = *ms;
        } else if (name == "--lifetime") {
            auto seconds = ParseCount(value, 86400);
            ok = seconds.has_value() && *seconds > 0;
            if (ok) options.lifetimeSeconds = *seconds;
        } else {
            error = "unknown option " + name;
            return std::nullopt;
        }
        if (!ok) {
            error = "bad value for " + name + ": " + value;
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace standin
