#pragma once
// Command line of the stand-in support site.

#include <optional>
#include <string>
#include <vector>

namespace standin {

enum class RedirectMode { Http302, Script, None };

// What the warranty-result address answers, whatever the serial number asks for.
enum class FaultMode { None, Slow, Empty, SiteError, Hang, Cut, LfOnly };

struct Options {
    int port = 0;               // 0: any free port
    std::string portFile;       // receives the port; deleting it stops the site
    std::string logFile;        // receives every request line and its headers
    std::string pagesDir;       // fixture pages
    RedirectMode redirect = RedirectMode::Http302;
    FaultMode fault = FaultMode::None;
    int slowMilliseconds = 2000;
    int lifetimeSeconds = 300;  // the site stops by itself after this
};

// Parses argv; on a bad argument returns nothing and fills error.
std::optional<Options> ParseOptions(const std::vector<std::string>& args, std::string& error);

std::optional<RedirectMode> ParseRedirectMode(const std::string& name);
std::optional<FaultMode> ParseFaultMode(const std::string& name);

extern const char* const kUsage;

}  // namespace standin
