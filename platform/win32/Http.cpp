// HttpReadFile on WinINet. InternetOpenUrl always sends HTTP/1.1, so the request is
// built from its parts: InternetConnect, then HttpOpenRequest with "HTTP/1.0".

#include "platform/Http.h"

#include <windows.h>
#include <wininet.h>

#include <chrono>
#include <algorithm>
#include <string_view>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

// Opened on first use and kept for the life of the process; it carries the user agent.
// WinINet shares its cookie store with the browser control.
HINTERNET Session() {
    static HINTERNET session = InternetOpenA(kHttpUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    return session;
}

class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

DWORD Milliseconds(Clock::duration duration) {
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(duration).count();
    return ms < 1 ? 1 : static_cast<DWORD>(ms);
}

// Send and receive waits may last no longer than what is left of the whole request.
void BoundWaits(HINTERNET handle, Clock::time_point deadline) {
    DWORD remaining = Milliseconds(deadline - Clock::now());
    InternetSetOptionA(handle, INTERNET_OPTION_SEND_TIMEOUT, &remaining, sizeof remaining);
    InternetSetOptionA(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &remaining, sizeof remaining);
    InternetSetOptionA(handle, INTERNET_OPTION_DATA_SEND_TIMEOUT, &remaining, sizeof remaining);
    InternetSetOptionA(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &remaining, sizeof remaining);
}

}  // namespace

Bytes HttpReadFile(const std::string& url, const HttpLimits& limits) {
    const Clock::time_point deadline = Clock::now() + limits.total;

    // Nothing from the first '#' on is sent.
    std::string address = url.substr(0, url.find('#'));
    if (address.empty()) return {};

    char host[INTERNET_MAX_HOST_NAME_LENGTH + 1] = {};
    URL_COMPONENTSA parts{};
    parts.dwStructSize = sizeof parts;
    parts.lpszHostName = host;
    parts.dwHostNameLength = sizeof host;
    parts.dwUrlPathLength = 1;  // non-zero: point into address
    parts.dwExtraInfoLength = 1;
    if (!InternetCrackUrlA(address.c_str(), static_cast<DWORD>(address.size()), 0, &parts)) return {};
    if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) return {};
    if (host[0] == '\0') return {};
    std::string object;
    if (parts.lpszUrlPath) object.assign(parts.lpszUrlPath, parts.dwUrlPathLength);
    if (parts.lpszExtraInfo) object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    if (object.empty()) object = "/";

    HINTERNET session = Session();
    if (!session) return {};
    DWORD connectTimeout = Milliseconds(limits.connect < limits.total ? limits.connect : limits.total);

    InternetHandle connection(
        InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection.get()) return {};
    InternetSetOptionA(connection.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);

    const char* acceptTypes[] = {"*/*", nullptr};
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    InternetHandle request(
        HttpOpenRequestA(connection.get(), "GET", object.c_str(), "HTTP/1.0", nullptr, acceptTypes, flags, 0));
    if (!request.get()) return {};
    InternetSetOptionA(request.get(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);
    BoundWaits(request.get(), deadline);
    if (!HttpSendRequestA(request.get(), nullptr, 0, nullptr, 0)) return {};

    // The status is not examined; a read that fails keeps what came before it. A read
    // waits until its buffer is full, so each asks only for what is already there.
    Bytes body;
    char buffer[16384];
    while (body.size() < limits.maxBody && Clock::now() < deadline) {
        BoundWaits(request.get(), deadline);
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request.get(), &available, 0, 0) || available == 0) break;
        DWORD wanted = static_cast<DWORD>(std::min<std::size_t>({sizeof buffer, available, limits.maxBody - body.size()}));
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer, wanted, &read) || read == 0) break;
        body.append(buffer, read);
    }
    return body;
}

}  // namespace platform
