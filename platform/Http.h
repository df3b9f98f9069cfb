#pragma once
// One synchronous HTTP GET, as the support site expects it: request line version
// HTTP/1.0, the user agent below, "Accept: */*", no referrer and no other header of
// the program's own, never from or into a cache, redirects followed, cookies on.
// The status code is not examined: the body of any answer is the result.

#include <chrono>
#include <cstddef>
#include <string>

#include "platform/Bytes.h"

namespace platform {

inline constexpr const char* kHttpUserAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

// The fetch blocks the main thread, so every wait on the network is bounded.
struct HttpLimits {
    std::chrono::milliseconds connect{15000};  // to establish the connection
    std::chrono::milliseconds total{30000};    // for the whole request, redirects included
    std::size_t maxBody = 32u << 20;           // a longer body is cut here
};

// url is code page 936 text. Only http and https are fetched; nothing from the first
// '#' on is sent. Returns the body, or the part of it that arrived before a failure,
// a time-out or the size limit; empty when the URL cannot be split into scheme, host
// and path, or when the connection or the request fails before any byte arrives.
Bytes HttpReadFile(const std::string& url, const HttpLimits& limits = HttpLimits());

}  // namespace platform
