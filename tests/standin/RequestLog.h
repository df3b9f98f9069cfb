#pragma once
// Every request the site receives, in arrival order: the request line as sent, then
// its headers, then a blank line. Kept in memory (for /__log) and appended to a file
// that is flushed after each request, so a test can read it at any moment.

#include <cstdio>
#include <mutex>
#include <string>

namespace httplib { struct Request; }

namespace standin {

class RequestLog {
public:
    explicit RequestLog(const std::string& path);
    ~RequestLog();
    RequestLog(const RequestLog&) = delete;
    RequestLog& operator=(const RequestLog&) = delete;

    void Record(const httplib::Request& request);
    std::string Contents() const;

private:
    mutable std::mutex mutex_;
    std::string contents_;
    std::FILE* file_ = nullptr;
};

}  // namespace standin
