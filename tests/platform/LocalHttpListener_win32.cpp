#include "LocalHttpListener_win32.h"

#include <ws2tcpip.h>

LocalHttpListener::LocalHttpListener() {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (socket_ == INVALID_SOCKET) return;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;  // a free port
    int length = sizeof(address);
    if (bind(socket_, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 || listen(socket_, 8) != 0 ||
        getsockname(socket_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
        return;
    }
    port_ = ntohs(address.sin_port);
    thread_ = std::thread([this] { Serve(); });
}

LocalHttpListener::~LocalHttpListener() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);  // ends the accept loop
    if (thread_.joinable()) thread_.join();
    WSACleanup();
}

std::string LocalHttpListener::Origin() const { return "http://127.0.0.1:" + std::to_string(port_); }

std::vector<std::string> LocalHttpListener::RequestLines() const {
    std::lock_guard lock(mutex_);
    return requestLines_;
}

void LocalHttpListener::Serve() {
    for (;;) {
        SOCKET client = accept(socket_, nullptr, nullptr);
        if (client == INVALID_SOCKET) return;
        DWORD timeout = 5000;
        setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof(timeout));
        std::string head;
        char buffer[2048];
        while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
            int got = recv(client, buffer, sizeof(buffer), 0);
            if (got <= 0) break;
            head.append(buffer, static_cast<size_t>(got));
        }
        if (size_t end = head.find("\r\n"); end != std::string::npos) {
            std::lock_guard lock(mutex_);
            requestLines_.push_back(head.substr(0, end));
        }
        const char answer[] =
            "HTTP/1.0 200 OK\r\nContent-Type: text/html\r\nContent-Length: 27\r\nConnection: close\r\n\r\n"
            "<html><body>ok</body></html>";
        send(client, answer, sizeof(answer) - 1, 0);
        shutdown(client, SD_BOTH);
        closesocket(client);
    }
}
