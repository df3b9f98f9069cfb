// HttpReadFile on WinINet against a server that sends its headers a line at a time,
// never reaching their end: each wait is short, so only the bound on the whole request
// can end the fetch.
#include <gtest/gtest.h>

#include <winsock2.h>
#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "platform/Http.h"

namespace {

using namespace std::chrono_literals;

class TricklingServer {
public:
    TricklingServer() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        int length = sizeof(address);
        if (listener_ == INVALID_SOCKET || bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
            listen(listener_, 4) != 0 || getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { Serve(); });
    }
    ~TricklingServer() {
        stop_ = true;
        if (listener_ != INVALID_SOCKET) closesocket(listener_);
        if (thread_.joinable()) thread_.join();
        WSACleanup();
    }

    bool Listening() const { return port_ != 0; }
    std::string Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

private:
    void Serve() {
        SOCKET client = accept(listener_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        const std::string status = "HTTP/1.0 200 OK\r\n";
        send(client, status.data(), static_cast<int>(status.size()), 0);
        // At most 20 s, so a client without a bound still lets the test end.
        for (int line = 0; line < 100 && !stop_; ++line) {
            const std::string header = "X-Line: " + std::to_string(line) + "\r\n";
            if (send(client, header.data(), static_cast<int>(header.size()), 0) <= 0) break;
            std::this_thread::sleep_for(200ms);
        }
        closesocket(client);
    }

    SOCKET listener_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(HttpReadFileWin32, HeadersThatNeverEndAreBoundedByTheWholeRequestsLimit) {
    if (GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version"))
        GTEST_SKIP() << "Wine's WinINet does not end a call whose handle another thread closes";
    TricklingServer server;
    ASSERT_TRUE(server.Listening());
    platform::HttpLimits limits;
    limits.total = 1500ms;
    auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(platform::HttpReadFile(server.Origin() + "/", limits), "");
    EXPECT_LT(std::chrono::steady_clock::now() - started, 6s);
}

}  // namespace
