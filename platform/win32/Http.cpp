// HttpReadFile on WinINet. InternetOpenUrl always sends HTTP/1.1, so the request is
// built from its parts: InternetConnect, then HttpOpenRequest with "HTTP/1.0".

#include "platform/Http.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// The request's two handles, closed once: at the deadline by the watchdog's thread or
// at the end by the caller, whichever comes first.
class RequestHandles {
public:
    ~RequestHandles() { Close(); }
    std::atomic<HINTERNET> connection{nullptr};
    std::atomic<HINTERNET> request{nullptr};

    void Close() {
        for (std::atomic<HINTERNET>* handle : {&request, &connection}) {
            if (HINTERNET open = handle->exchange(nullptr)) InternetCloseHandle(open);
        }
    }
};

// Closing the handles is the documented way to end a synchronous WinINet call from
// another thread; the time-outs alone do not bound name lookup, the connection's
// attempts and the wait for headers together.
class Watchdog {
public:
    Watchdog(RequestHandles& handles, DWORD dueMilliseconds) : handles_(handles) {
        if (!CreateTimerQueueTimer(&timer_, nullptr, &Watchdog::Fire, &handles_, dueMilliseconds, 0,
                                   WT_EXECUTEONLYONCE))
            timer_ = nullptr;
    }
    // Waits for a callback under way, so the handles outlive it.
    ~Watchdog() {
        if (timer_) DeleteTimerQueueTimer(nullptr, timer_, INVALID_HANDLE_VALUE);
    }
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

private:
    static void CALLBACK Fire(void* handles, BOOLEAN) { static_cast<RequestHandles*>(handles)->Close(); }

    RequestHandles& handles_;
    HANDLE timer_ = nullptr;
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

    RequestHandles handles;
    handles.connection = InternetConnectA(session, host, parts.nPort, nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET connection = handles.connection.load();
    if (!connection) return {};
    // Each attempt may take the whole connect time-out: one attempt keeps that bound.
    DWORD retries = 1;
    InternetSetOptionA(connection, INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);
    InternetSetOptionA(connection, INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);

    const char* acceptTypes[] = {"*/*", nullptr};
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE;
    if (parts.nScheme == INTERNET_SCHEME_HTTPS) flags |= INTERNET_FLAG_SECURE;
    handles.request = HttpOpenRequestA(connection, "GET", object.c_str(), "HTTP/1.0", nullptr, acceptTypes, flags, 0);
    if (!handles.request.load()) return {};
    InternetSetOptionA(handles.request.load(), INTERNET_OPTION_CONNECT_TIMEOUT, &connectTimeout, sizeof connectTimeout);
    InternetSetOptionA(handles.request.load(), INTERNET_OPTION_CONNECT_RETRIES, &retries, sizeof retries);
    BoundWaits(handles.request.load(), deadline);

    // Declared after the handles: it is deleted, waiting for a callback under way,
    // before they are closed.
    Watchdog watchdog(handles, Milliseconds(deadline - Clock::now()));
    // Loaded for each call: null once the watchdog has closed it, so the call fails at once.
    if (!HttpSendRequestA(handles.request.load(), nullptr, 0, nullptr, 0)) return {};

    // The status is not examined; a read that fails keeps what came before it. A read
    // waits until its buffer is full, so each asks only for what is already there.
    Bytes body;
    char buffer[16384];
    while (body.size() < limits.maxBody && Clock::now() < deadline) {
        HINTERNET request = handles.request.load();
        if (!request) break;
        BoundWaits(request, deadline);
        DWORD available = 0;
        if (!InternetQueryDataAvailable(request, &available, 0, 0) || available == 0) break;
        DWORD wanted = static_cast<DWORD>(std::min<std::size_t>({sizeof buffer, available, limits.maxBody - body.size()}));
        DWORD read = 0;
        if (!InternetReadFile(request, buffer, wanted, &read) || read == 0) break;
        body.append(buffer, read);
    }
    return body;
}

}  // namespace platform
