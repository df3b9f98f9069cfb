// HttpReadFile on libcurl: the request WinINet sends on Windows, bounded in time and size.

#include "platform/Http.h"

#include <curl/curl.h>

#include <mutex>
#include <string_view>

#include "platform/linux/BrowserCookies.h"

namespace platform {

namespace linux_backend {

// The web view's code replaces this when it is linked in.
__attribute__((weak)) std::string CookieHeaderFor(const std::string&) { return {}; }

}  // namespace linux_backend

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        char c = text[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
        if (c != prefix[i]) return false;
    }
    return true;
}

// Bytes that cannot stand in a request line are escaped, as WinINet escapes spaces;
// everything else, code page 936 bytes included, goes out as it is.
std::string EscapeForRequestLine(std::string_view url) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : url) {
        if (c <= 0x20 || c == 0x7F) {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

std::string HostOf(std::string_view url) {
    size_t begin = url.find("://");
    if (begin == std::string_view::npos) return {};
    begin += 3;
    size_t end = url.find_first_of("/?", begin);
    std::string_view authority = url.substr(begin, end == std::string_view::npos ? std::string_view::npos : end - begin);
    if (size_t at = authority.rfind('@'); at != std::string_view::npos) authority.remove_prefix(at + 1);
    if (!authority.empty() && authority.front() == '[') return std::string(authority.substr(0, authority.find(']') + 1));
    return std::string(authority.substr(0, authority.find(':')));
}

// The web view's cookies for the address, handed to curl's cookie engine as host-only
// cookies, so they go to that host alone and not along a redirect elsewhere.
void AddBrowserCookies(CURL* curl, const std::string& url) {
    std::string header = linux_backend::CookieHeaderFor(url);
    std::string host = HostOf(url);
    if (header.empty() || host.empty()) return;
    size_t begin = 0;
    while (begin < header.size()) {
        size_t end = header.find(';', begin);
        if (end == std::string::npos) end = header.size();
        std::string pair = header.substr(begin, end - begin);
        begin = end + 1;
        size_t first = pair.find_first_not_of(' ');
        if (first == std::string::npos) continue;
        pair.erase(0, first);
        size_t equals = pair.find('=');
        if (equals == std::string::npos || equals == 0) continue;
        if (pair.find_first_of("\t\r\n") != std::string::npos) continue;
        std::string line = host + "\tFALSE\t/\tFALSE\t0\t" + pair.substr(0, equals) + "\t" + pair.substr(equals + 1);
        curl_easy_setopt(curl, CURLOPT_COOKIELIST, line.c_str());
    }
}

struct Body {
    Bytes bytes;
    size_t limit;
};

size_t AppendBody(char* data, size_t size, size_t count, void* context) {
    auto* body = static_cast<Body*>(context);
    size_t length = size * count;
    size_t room = body->limit - body->bytes.size();
    body->bytes.append(data, length < room ? length : room);
    // Returning less than was given ends the transfer once the limit is reached.
    return length <= room ? length : 0;
}

}  // namespace

Bytes HttpReadFile(const std::string& url, const HttpLimits& limits) {
    static std::once_flag initialised;
    std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

    // Nothing from the first '#' on is sent.
    std::string target = EscapeForRequestLine(std::string_view(url).substr(0, url.find('#')));
    if (!StartsWithNoCase(target, "http://") && !StartsWithNoCase(target, "https://")) return {};

    CURL* curl = curl_easy_init();
    if (!curl) return {};
    Body body{{}, limits.maxBody};
    curl_slist* headers = curl_slist_append(nullptr, "Accept: */*");
    // WinINet sends this for a request that must not be answered from a cache.
    headers = curl_slist_append(headers, "Pragma: no-cache");

    curl_easy_setopt(curl, CURLOPT_URL, target.c_str());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(curl, CURLOPT_HTTP_VERSION, CURL_HTTP_VERSION_1_0);
    curl_easy_setopt(curl, CURLOPT_USERAGENT, kHttpUserAgent);
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(curl, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(curl, CURLOPT_MAXREDIRS, 20L);
    curl_easy_setopt(curl, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(limits.connect.count()));
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, static_cast<long>(limits.total.count()));
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_FRESH_CONNECT, 1L);
    curl_easy_setopt(curl, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, AppendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    AddBrowserCookies(curl, target);

    // The result code is not examined: whatever arrived before a failure is the result.
    curl_easy_perform(curl);

    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    return body.bytes;
}

}  // namespace platform
