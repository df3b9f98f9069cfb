#pragma once
// A minimal HTTP listener on 127.0.0.1 for the browser control's tests: it records the
// request line of every connection and answers each with a small HTML page.

#include <winsock2.h>

#include <mutex>
#include <string>
#include <thread>
#include <vector>

class LocalHttpListener {
public:
    LocalHttpListener();
    ~LocalHttpListener();
    LocalHttpListener(const LocalHttpListener&) = delete;
    LocalHttpListener& operator=(const LocalHttpListener&) = delete;

    bool Listening() const { return socket_ != INVALID_SOCKET; }
    std::string Origin() const;  // "http://127.0.0.1:PORT"
    std::vector<std::string> RequestLines() const;

private:
    void Serve();

    SOCKET socket_ = INVALID_SOCKET;
    unsigned short port_ = 0;
    std::thread thread_;
    mutable std::mutex mutex_;
    std::vector<std::string> requestLines_;
};
