#pragma once
// Between the Linux backend's HTTP client and its web view: the warranty request must
// carry the cookies the support site set while the browser navigated, as WinINet does
// on Windows by sharing the browser's store.

#include <string>

namespace platform::linux_backend {

// The "name=value; name=value" list of the cookies the web view holds for url, or ""
// when there is no web view or it holds none. Called on the main thread, inside the
// navigated handler; it must return within a few seconds whatever the web view does.
// The web view's code defines it; Http.cpp carries a weak default returning "" so the
// HTTP client links and works without a browser (tests, other programs).
std::string CookieHeaderFor(const std::string& url);

}  // namespace platform::linux_backend
