#include "RequestLog.h"

#include <httplib.h>

namespace standin {

RequestLog::RequestLog(const std::string& path) {
    if (!path.empty()) file_ = std::fopen(path.c_str(), "wb");
}

RequestLog::~RequestLog() {
    if (file_) std::fclose(file_);
}

void RequestLog::Record(const httplib::Request& request) {
    // httplib keeps headers sorted by name, not in the order they came, and adds the
    // connection's addresses among them; those were not sent and are left out.
    std::string entry = request.method + " " + request.target + " " + request.version + "\r\n";
    for (const auto& [name, value] : request.headers) {
        if (name == "LOCAL_ADDR" || name == "LOCAL_PORT" || name == "REMOTE_ADDR" || name == "REMOTE_PORT") continue;
        entry += name + ": " + value + "\r\n";
    }
    entry += "\r\n";

    std::lock_guard lock(mutex_);
    contents_ += entry;
    if (file_) {
        std::fwrite(entry.data(), 1, entry.size(), file_);
        std::fflush(file_);
    }
}

std::string RequestLog::Contents() const {
    std::lock_guard lock(mutex_);
    return contents_;
}

}  // namespace standin
