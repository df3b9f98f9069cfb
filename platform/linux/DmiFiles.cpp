#include "platform/linux/DmiFiles.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace platform::linux_backend {
namespace {

// DMI values are short; a bound keeps a stray large fixture file from costing memory.
constexpr std::size_t kMaxValueBytes = 64 * 1024;

std::string DmiDirectory() {
    const char* configured = std::getenv("LANTUO_DMI_DIR");
    return configured && *configured ? configured : "/sys/class/dmi/id";
}

}  // namespace

std::string ReadDmiValue(std::string_view name) {
    std::string path = DmiDirectory() + "/" + std::string(name);
    // Non-blocking open: a FIFO in place of a file must not stall identification.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return {};
    struct stat info {};
    std::string value;
    if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        char buffer[4096];
        while (value.size() < kMaxValueBytes) {
            ssize_t got = ::read(fd, buffer, sizeof buffer);
            if (got < 0 && errno == EINTR) continue;
            if (got <= 0) break;
            value.append(buffer, static_cast<std::size_t>(got));
        }
    }
    ::close(fd);
    if (value.size() > kMaxValueBytes) value.resize(kMaxValueBytes);
    value.resize(::strnlen(value.data(), value.size()));
    if (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
}

}  // namespace platform::linux_backend
